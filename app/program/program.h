// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The window program's parts, made in the order of its start: the data folder, YY.cfg,
// the stores, the desktop services and the main window with its hidden companions; and the
// wiring of what the main window reports to the windows that answer it.

#include "app/main_window/main_form.h"
#include "app/main_window/main_window.h"
#include "app/program/form_windows.h"
#include "app/shared/qt_file_chooser.h"
#include "app/shared/qt_messages.h"
#include "history/history_clock.h"
#include "history/history_go_port.h"
#include "history/history_store.h"
#include "platform/autostart.h"
#include "platform/browsers.h"
#include "platform/launcher.h"
#include "suggest/suggestion_store.h"

#include <memory>

namespace trov {

class SingleInstance;

// The main window's requests answered by the windows around it, and the suggestion
// drop-down held shut while the history window is shown. Either may go first.
void wireFormWindows(TMainForm& form, FormWindows& windows);

class TrovProgram {
public:
    TrovProgram();

    // The start after the window's creation: showonstart, the history, the hidden
    // windows with the history window and the settings commands, the single instance's
    // messages, then the window shown (or only the tray icon).
    void start(SingleInstance& guard);

    TMainForm& form() { return main_->form(); }
    ExitSequence& exitSequence() { return main_->exitSequence(); }
    // After the end: whether the crawl ended within its bound (the exit sequence waited).
    bool crawlEnded();

private:
    DataFolder folder_;
    Config config_;
    QtMessages messages_;
    QtFileChooser files_;
    platform::ProcessLauncher launcher_;
    platform::XdgBrowserRegistry browsers_;
    platform::XdgAutostart autostart_;
    HistoryStore history_;
    SystemHistoryClock clock_;
    std::unique_ptr<HistoryGoPort> historyPort_;
    std::unique_ptr<HistoryPort> notifyingHistoryPort_;
    SuggestionStore suggestions_;
    std::unique_ptr<MainFormServices> services_;
    std::unique_ptr<MainWindow> main_;
    std::unique_ptr<FormWindows> formWindows_;
};

} // namespace trov
