// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The open and save dialogs of the windows around the main window, behind one small
// interface so tests can answer them. An empty answer means the dialog was cancelled.

#include <functional>
#include <string>

namespace trov {

struct FileDialogSpec {
    std::string filter;        // Qt form: "Trov History (*.gmh)"
    std::string defaultSuffix; // without the dot; empty for none
};

inline const FileDialogSpec kSaveSettingsDialog{"Trov settings (*.gms)", "gms"};
inline const FileDialogSpec kOpenSettingsDialog{"Trov setting (*.gms)", "gms"};
inline const FileDialogSpec kHistoryFileDialog{"Trov History (*.gmh)", "gmh"};
inline const FileDialogSpec kExportDialog{
    "CSV (Comma-separated values) (*.csv);;TXT Text file (*.txt);;Any file (*)", "csv"};
// The crawler menu's link lists and data exports.
inline const FileDialogSpec kLinkExportDialog{
    "CSV (Comma-separated values) (*.csv);;TXT Text file (*.txt);;Any file (*.*)", "txt"};
inline const FileDialogSpec kLinkListOpenDialog{"CSV Files (*.csv);;All Files (*.*)", ""};

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // A save dialog that asks before it overwrites a file; startName preselects a file.
    virtual std::string saveFile(const FileDialogSpec& dialogSpec,
                                 const std::string& startName) = 0;
    virtual std::string openFile(const FileDialogSpec& dialogSpec,
                                 const std::string& startName) = 0;
};

// A chooser answered by two functions, for tests; an unset function cancels.
struct FunctionFileChooser : FileChooser {
    using Answer = std::function<std::string(const FileDialogSpec&, const std::string&)>;
    Answer save;
    Answer open;

    std::string saveFile(const FileDialogSpec& dialogSpec, const std::string& startName) override {
        return save ? save(dialogSpec, startName) : std::string();
    }
    std::string openFile(const FileDialogSpec& dialogSpec, const std::string& startName) override {
        return open ? open(dialogSpec, startName) : std::string();
    }
};

} // namespace trov
