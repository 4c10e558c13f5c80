#pragma once

// A main window on a temporary data folder with fake desktop services and message boxes
// that tests answer, built as the program builds it.

#include "app/main_form.h"
#include "common/messages.h"
#include "history/history_clock.h"
#include "history/history_go_port.h"
#include "history/history_record.h"
#include "history/history_store.h"
#include "platform/autostart.h"
#include "platform/browsers.h"
#include "platform/launcher.h"
#include "settings/config.h"
#include "settings/ini.h"
#include "suggest/suggestion_store.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/temp_dir.h"

#include <QApplication>
#include <QTest>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace trov::test {

struct FixedClock : HistoryClock {
    std::string dateText() const override { return "01.02.2025"; }
    std::string timeText() const override { return "10:11:12"; }
};

inline constexpr ScreenSize kScreen{1920, 1080};
// Not the first start nor the first run: no shipped stores, no autostart entry.
inline const std::string kStoredProfile = "[App]\r\nstart=0\r\n[Pin]\r\nPrviZagon=0\r\n";

// A history row with the given cells, the others as a search leaves them unset.
inline HistoryRecord record(std::initializer_list<std::pair<std::size_t, const char*>> cells) {
    HistoryRecord r;
    for (std::size_t i = 0; i < kHistoryColumnCount; ++i)
        r.set(i, std::string(kAbsentMarker));
    r.set(kColDate, "01.02.2025");
    r.set(kColTime, "10:11:12");
    r.set(kColPeriod, "Any time");
    r.set(kColType, "All");
    for (const auto& [column, text] : cells)
        r.set(column, text);
    return r;
}

class MainFormFixture {
public:
    // Browsers: Firefox (the default) and Chromium; the list sorts Chromium first.
    explicit MainFormFixture(std::unique_ptr<TempDir> dir = std::make_unique<TempDir>())
        : dir_(std::move(dir)) {
        registry.list = {{"firefox.desktop", "Firefox", "firefox %u"},
                         {"chromium.desktop", "Chromium", "chromium %U"}};
        registry.defaultEntry = registry.list[0];
    }

    std::string folder() const { return dir_->path(); }
    void writeCfg(const std::string& text) const { dir_->write("YY.cfg", text); }
    std::string readCfg() const { return dir_->read("YY.cfg"); }
    std::optional<std::string> key(const char* section, const char* name) const {
        return IniDocument::parse(readCfg()).value(section, name);
    }
    TempDir& dir() { return *dir_; }

    // Makes the window and runs its creation (and, when asked, the hidden windows).
    TMainForm& create(bool hiddenWindows = false) {
        config = std::make_unique<Config>(dir_->file("YY.cfg"), kScreen);
        history = std::make_unique<HistoryStore>(DataFolder(folder()));
        historyPort = std::make_unique<HistoryGoPort>(*history, clock, messages);
        suggestions = std::make_unique<SuggestionStore>(dir_->file("gs1001.sgg"));
        services = std::make_unique<MainFormServices>(MainFormServices{DataFolder(folder()),
                                                                       *config,
                                                                       messages,
                                                                       launcher,
                                                                       registry,
                                                                       autostart,
                                                                       *history,
                                                                       historyPort.get(),
                                                                       *suggestions,
                                                                       "/opt/trov/bin/trov",
                                                                       {},
                                                                       nullptr,
                                                                       {},
                                                                       &files});
        form = std::make_unique<TMainForm>(*services);
        form->quit = [this] { ++quits; };
        form->setWorkAreasSource([this] { return workAreas; });
        form->FormCreate();
        if (hiddenWindows)
            form->createHiddenWindows();
        return *form;
    }
    // A profile (none when empty) with these suggestions, made with the hidden windows, shown.
    TMainForm& shown(const std::string& suggestions = {}, const std::string& cfg = kStoredProfile) {
        if (!cfg.empty())
            writeCfg(cfg);
        if (!suggestions.empty())
            dir_->write("gs1001.sgg", suggestions + "\r\n");
        TMainForm& w = create(true);
        w.show();
        [&] { QVERIFY(QTest::qWaitForWindowExposed(&w)); }();
        QApplication::setActiveWindow(&w);
        return w;
    }

    std::unique_ptr<TempDir> dir_;
    ScriptedMessages messages;
    platform::RecordingLauncher launcher;
    platform::FakeBrowserRegistry registry;
    platform::FakeAutostart autostart;
    FixedClock clock;
    FunctionFileChooser files;
    std::vector<Rect> workAreas{{0, 0, 1920, 1080}}; // the screens less their panels
    int quits = 0;
    std::unique_ptr<Config> config;
    std::unique_ptr<HistoryStore> history;
    std::unique_ptr<HistoryGoPort> historyPort;
    std::unique_ptr<SuggestionStore> suggestions;
    std::unique_ptr<MainFormServices> services;
    std::unique_ptr<TMainForm> form;
};

} // namespace trov::test
