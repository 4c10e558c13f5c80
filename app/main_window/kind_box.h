// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The search kind box (cbAll). Its drop-down list takes the box's font when the list first
// opens rather than when the font is set: setting a combo box's font makes its list at
// once, a list the collapsed start never shows.

#include <QComboBox>

namespace trov {

class KindBox : public QComboBox {
public:
    using QComboBox::QComboBox;

    void showPopup() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    bool listShown_ = false;
    bool fontPending_ = false;
};

} // namespace trov
