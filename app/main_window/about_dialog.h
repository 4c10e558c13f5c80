// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The about window: the product name, "Version " and the four-part version, and a link to
// the product's site that opens in the default browser. Shown modally.

#include <QDialog>

namespace trov {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

// "Version 1.0.0.0": four decimal numbers joined by points, missing ones as 0.
QString versionText(const char* version);

} // namespace trov
