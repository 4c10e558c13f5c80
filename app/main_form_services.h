#pragma once

// What the main window is given: the data folder and its stores, the desktop behind its
// interfaces, the message boxes and the windows around it. The program wires the real
// ones; tests give temporary folders, fakes and scripted answers.

#include "app/main_commands.h"
#include "compose/engines.h"
#include "settings/config.h"
#include "settings/data_folder.h"

#include <QString>
#include <functional>
#include <string>
#include <vector>

namespace trov {

class HistoryStore;
class HistoryPort;
class Messages;
class SuggestionStore;
namespace platform {
class Autostart;
class BrowserRegistry;
class Launcher;
} // namespace platform

// The file dialogs of the crawler menu; an empty answer is a cancelled dialog.
struct FileChooser {
    std::function<QString(const QString& presetName, const QString& filter)> save;
    std::function<QString(const QString& filter)> open;
};
FileChooser qtFileChooser();

struct MainFormServices {
    DataFolder folder;
    Config& config;
    Messages& messages;
    platform::Launcher& launcher;
    const platform::BrowserRegistry& browsers;
    platform::Autostart& autostart;
    HistoryStore& history;
    HistoryPort* historyPort = nullptr; // Go's recording of each search
    SuggestionStore& suggestions;
    std::string programPath;              // written into the autostart entry
    std::vector<std::string> shippedDirs; // where the shipped stores may be
    FormCommands* formCommands = nullptr; // null: those menu items do nothing
    EngineHosts hosts;
    FileChooser files = qtFileChooser();
};

} // namespace trov
