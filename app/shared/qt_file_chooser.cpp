// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shared/qt_file_chooser.h"

#include <QFileDialog>

namespace trov {

std::string QtFileChooser::saveFile(const FileDialogSpec& dialogSpec,
                                    const std::string& startName) {
    return run(dialogSpec, startName, true);
}

std::string QtFileChooser::openFile(const FileDialogSpec& dialogSpec,
                                    const std::string& startName) {
    return run(dialogSpec, startName, false);
}

std::string QtFileChooser::run(const FileDialogSpec& dialogSpec, const std::string& startName,
                               bool save) {
    QFileDialog dialog(parent_);
    dialog.setNameFilter(QString::fromStdString(dialogSpec.filter));
    dialog.setDefaultSuffix(QString::fromStdString(dialogSpec.defaultSuffix));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save)
        dialog.setOption(QFileDialog::ReadOnly, false);
    if (!startName.empty())
        dialog.selectFile(QString::fromStdString(startName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst().toStdString();
}

} // namespace trov
