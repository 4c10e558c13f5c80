// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The message boxes of the window program: QMessageBox with the caption "Trov".

#include "common/messages.h"

class QWidget;

namespace trov {

class QtMessages : public Messages {
public:
    explicit QtMessages(QWidget* parent = nullptr) : parent_(parent) {}

    void show(MessageIcon icon, const std::string& text, bool alwaysOnTop = false) override;
    // Yes/No, the question icon, "No" preselected.
    bool ask(const std::string& text) override;
    bool askYesPreselected(const std::string& text) override;

private:
    bool question(const std::string& text, bool yesPreselected);

    QWidget* parent_;
};

} // namespace trov
