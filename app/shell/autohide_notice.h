// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The notice shown when "Auto Hide" is switched on: how to bring the window back, and
// "Don't show me again.".

#include <QDialog>

class QCheckBox;

namespace trov {

inline constexpr const char* kAutoHideNoticeText = QT_TRANSLATE_NOOP(
    "trov::AutoHideNotice", " \r   Move cursor to upper left corner to show Trov.          ");

class AutoHideNotice : public QDialog {
    Q_OBJECT
public:
    explicit AutoHideNotice(QWidget* parent = nullptr);

    QCheckBox* dontShowAgain() const { return check_; }
    // true when the dialog was closed with its "OK" button.
    bool confirmed() const { return result() == QDialog::Accepted; }

private:
    QCheckBox* check_;
};

} // namespace trov
