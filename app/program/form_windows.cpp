// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/program/form_windows.h"

#include "app/shared/file_chooser.h"
#include "app/shared/qt_file_chooser.h"
#include "common/messages.h"
#include "history/window.h"
#include "settings/config.h"
#include "settings/form_reset.h"
#include "settings/ini.h"
#include "settings/settings_file.h"
#include "suggest/manager_window.h"

namespace trov {

FormWindows::FormWindows(MainWindowCommands& main, HistoryStore& history,
                         SuggestionStore& suggestions, Config& config, Messages& messages,
                         DataFolder folder, FormWindowHooks hooks)
    : main_(main), historyStore_(history), suggestions_(suggestions), config_(config),
      messages_(messages), folder_(std::move(folder)), hooks_(std::move(hooks)) {
    if (hooks_.files) {
        files_ = hooks_.files;
    } else {
        ownFiles_ = std::make_unique<QtFileChooser>();
        files_ = ownFiles_.get();
    }
    historyPlacement_ = readHistoryPlacement(config_);
}

FormWindows::~FormWindows() = default;

Tfhist& FormWindows::historyWindow() {
    if (!history_)
        history_ = std::make_unique<Tfhist>(
            HistoryWindowServices{main_, historyStore_, config_, messages_, *files_,
                                  hooks_.bringMainForward, historyPlacement_});
    return *history_;
}

TfSugg& FormWindows::suggestionsManager() {
    if (!manager_)
        manager_ = std::make_unique<TfSugg>(managerModel_, suggestions_, messages_);
    return *manager_;
}

void FormWindows::showHistory() {
    historyWindow().toggle();
}

void FormWindows::historyChanged() {
    // A window not made yet shows the store's rows when it is.
    if (history_)
        history_->rowsChanged();
}

void FormWindows::showSuggestionsManager() {
    suggestionsManager().openModal();
}

void FormWindows::saveSettingsFile() {
    const std::string path = files_->saveFile(kSaveSettingsDialog, settingsFile_);
    if (path.empty())
        return;
    try {
        writeSettingsFile(path, main_.form(), main_.backgroundColour());
    } catch (const IniWriteError& e) {
        reportWriteFailure(e.what());
    }
}

void FormWindows::openSettingsFile() {
    const std::string path = files_->openFile(kOpenSettingsDialog, {});
    if (path.empty())
        return;
    try {
        if (readSettingsFile(path, main_))
            settingsFile_ = path;
    } catch (const IniWriteError& e) { // storing the file's background colour
        reportWriteFailure(e.what());
    }
}

void FormWindows::resetAllSettings() {
    const std::string name = hooks_.defaultBrowserName ? hooks_.defaultBrowserName() : "";
    try {
        ResetAll(main_, config_, messages_, name);
    } catch (const IniWriteError& e) {
        reportWriteFailure(e.what());
    }
}

void FormWindows::broom() {
    xiMetlaClick(main_, config_);
}

bool FormWindows::historyWindowShown() const {
    return history_ && history_->isVisible();
}

void FormWindows::reportWriteFailure(const std::string& what) {
    messages_.show(MessageIcon::Error, what);
}

} // namespace trov
