// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The windows and commands around the main window: the history window, the suggestions
// manager, the settings files, "Reset all settings" and the broom. The program makes one
// and wires the main window's requests to it.

#include "history/history_placement.h"
#include "settings/data_folder.h"
#include "suggest/suggestion_manager.h"
#include "window_models/main_commands.h"

#include <QObject>
#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace trov {

class Config;
class FileChooser;
class HistoryStore;
class Messages;
class SuggestionStore;
class Tfhist;
class TfSugg;

struct FormWindowHooks {
    // The lower-cased program name of the desktop's default browser, for the reset.
    std::function<std::string()> defaultBrowserName;
    // Shows the main window at full opacity and brings it to the front ("Fill search
    // fields" on a hidden or faded main window).
    std::function<void()> bringMainForward;
    // The open and save dialogs; null: Qt's file dialogs.
    FileChooser* files = nullptr;
};

class FormWindows : public QObject {
    Q_OBJECT
public:
    // The history window and the suggestions manager are made hidden when first needed,
    // so they cost the program's first frame nothing. The history store must already be
    // loaded (NaloziTabelo).
    FormWindows(MainWindowCommands& main, HistoryStore& history, SuggestionStore& suggestions,
                Config& config, Messages& messages, DataFolder folder, FormWindowHooks hooks = {});
    ~FormWindows() override;

    void showHistory();            // "History", main menu and tray
    void showSuggestionsManager(); // "Search suggestions"
    void saveSettingsFile();       // "Save settings"
    void openSettingsFile();       // "Open settings"
    void resetAllSettings();       // "Reset all settings"
    void broom();                  // the broom button xiMetla
    // While the history window is shown the suggestion drop-down does not open.
    bool historyWindowShown() const;

    // A search was recorded: the history window shows the new row.
    void historyChanged();

    Tfhist& historyWindow();
    TfSugg& suggestionsManager();

private:
    void reportWriteFailure(const std::string& what);

    MainWindowCommands& main_;
    HistoryStore& historyStore_;
    SuggestionStore& suggestions_;
    Config& config_;
    Messages& messages_;
    DataFolder folder_;
    FormWindowHooks hooks_;
    std::unique_ptr<FileChooser> ownFiles_;
    FileChooser* files_;
    SuggestionManager managerModel_;
    HistoryPlacement historyPlacement_; // read at the start, as the window was made then
    std::unique_ptr<Tfhist> history_;
    std::unique_ptr<TfSugg> manager_;
    std::string settingsFile_; // the file of the last "Open settings"
};

} // namespace trov
