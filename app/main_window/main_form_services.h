// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the main window is given: the data folder and its stores, the desktop behind its
// interfaces, the message boxes and the windows around it. The program wires the real
// ones; tests give temporary folders, fakes and scripted answers.

#include "app/shared/file_chooser.h"
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
    EngineHosts hosts;
    FileChooser* files = nullptr; // the crawler menu's dialogs; null: none can be chosen
};

} // namespace trov
