// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shared/qt_file_chooser.h"

#include <QFileDialog>
#include <QRegularExpression>

namespace trov {

namespace {

// "json" of "JSON (*.json)"; empty for a filter of any name.
QString filterSuffix(const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral(R"(\*\.(\w+)\))"));
    return pattern.match(filter).captured(1);
}

} // namespace

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
    if (dialogSpec.suffixFromFilter)
        QObject::connect(
            &dialog, &QFileDialog::filterSelected, &dialog,
            [&dialog](const QString& filter) { dialog.setDefaultSuffix(filterSuffix(filter)); });
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
