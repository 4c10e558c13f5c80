// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The file dialogs of the window program: QFileDialog.

#include "app/shared/file_chooser.h"

class QWidget;

namespace trov {

class QtFileChooser : public FileChooser {
public:
    explicit QtFileChooser(QWidget* parent = nullptr) : parent_(parent) {}
    std::string saveFile(const FileDialogSpec& dialogSpec, const std::string& startName) override;
    std::string openFile(const FileDialogSpec& dialogSpec, const std::string& startName) override;

private:
    std::string run(const FileDialogSpec& dialogSpec, const std::string& startName, bool save);

    QWidget* parent_;
};

} // namespace trov
