// SPDX-License-Identifier: GPL-3.0-or-later
// trov-form-shots: shows the history window with sample rows and the suggestions manager
// with sample entries and saves a picture of each, for the README.

#include "app/shared/file_chooser.h"
#include "compose/form_model.h"
#include "history/history_store.h"
#include "history/window.h"
#include "settings/config.h"
#include "suggest/manager_window.h"
#include "suggest/suggestion_store.h"
#include "tools/screenshots/shots.h"
#include "window_models/main_commands.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>

namespace {

struct NoFiles : trov::FileChooser {
    std::string saveFile(const trov::FileDialogSpec&, const std::string&) override { return {}; }
    std::string openFile(const trov::FileDialogSpec&, const std::string&) override { return {}; }
};

struct IdleMainWindow : trov::MainWindowCommands {
    trov::FormModel model;
    trov::FormModel& form() override { return model; }
    void syncFromModel() override {}
    void pressEngine(trov::SearchEngine engine) override { model.selectEngine(engine); }
    bool isExpanded() const override { return true; }
    void toggleExpanded() override {}
    void go() override {}
    void loadCrawlList(const std::string&) override {}
    int backgroundColour() const override { return trov::kDefaultBackground; }
    void applyBackground(int) override {}
};

trov::HistoryRecord row(const char* date, const char* time, const char* words, const char* exact,
                        const char* site, const char* browser, const char* country,
                        const char* period, const char* engine, const char* kind) {
    trov::HistoryRecord r;
    const char* texts[] = {date,    time,    words,   exact,   "- - -", site,   "- - -",
                           browser, "- - -", country, "- - -", period,  engine, kind};
    for (std::size_t i = 0; i < trov::kHistoryColumnCount; ++i)
        r.set(i, texts[i]);
    return r;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = shots::outputFolder(argc, argv);
    QTemporaryDir data;
    const std::string folder = data.path().toStdString() + "/";
    shots::PrintedMessages messages;
    NoFiles files;
    IdleMainWindow main;

    trov::Config config(folder + "YY.cfg");
    config.writeAll({{trov::cfg::HistLevo, 20},
                     {trov::cfg::HistGor, 20},
                     {trov::cfg::HistSirina, 1180},
                     {trov::cfg::HistVisina, 560},
                     {trov::cfg::HistStatus, 0}});
    trov::HistoryStore store{trov::DataFolder(folder)};
    auto& rows = store.list().rows;
    rows = {
        row("06.12.2026", "21:14:05", "rust async runtime", "- - -", "- - -", "Firefox", "- - -",
            "Past month", "Google", "All"),
        row("06.12.2026", "20:58:41", "sourdough starter", "rye flour", "- - -", "Firefox",
            "Germany", "Any time", "DuckDuckGo", "All"),
        row("06.12.2026", "18:02:17", "- - -", "- - -", "example.com", "Chromium", "- - -", "- - -",
            "Links ( Extract internal links from a website )", "---"),
        row("05.12.2026", "22:40:09", "aurora forecast", "- - -", "- - -", "Default", "- - -",
            "- - -", "Bing", "News"),
        row("05.12.2026", "19:11:53", "integral of x^2", "- - -", "- - -", "Default", "- - -",
            "- - -", "Wolfram Alpha", "Math"),
        row("05.12.2026", "09:30:00", "cast iron pan", "seasoning", "- - -", "Firefox",
            "United Kingdom", "Past year", "Google", "Videos"),
        row("04.12.2026", "16:45:12", "ephemeral", "- - -", "- - -", "Default", "- - -", "- - -",
            "Urban Dictionary", "All"),
        row("04.12.2026", "11:03:27", "Ljubljana", "- - -", "- - -", "Firefox", "- - -", "- - -",
            "Wikipedia", "All"),
        row("03.12.2026", "08:20:44", "rust borrow checker", "lifetimes", "doc.rust-lang.org",
            "Chromium", "- - -", "Any time", "Google", "All"),
        row("02.12.2026", "23:59:01", "night sky photography", "- - -", "- - -", "Firefox", "- - -",
            "Past week", "Swisscows", "Images"),
    };
    trov::Tfhist history(trov::HistoryWindowServices{main, store, config, messages, files, {}});
    history.toggle();
    QTest::qWait(300); // activation empties the find field
    history.findField()->setText(QStringLiteral("rust"));
    history.findClicked();
    history.findClicked();
    bool ok = shots::save(history, out + QStringLiteral("/history-window.png"));
    history.hide();

    trov::SuggestionStore suggestions(folder + "gs1001.sgg");
    const char* entries[] = {"rust async runtime", "sourdough starter",   "aurora forecast",
                             "cast iron pan",      "Ljubljana",           "night sky photography",
                             "integral of x^2",    "rust borrow checker", "example.com",
                             "ephemeral",          "weather tomorrow",    "Rye flour ratio"};
    for (const char* e : entries)
        suggestions.osveziBazo(e);
    trov::SuggestionManager manager;
    trov::TfSugg dialog(manager, suggestions, messages);
    dialog.refill();
    dialog.show();
    for (int r : {2, 5, 6})
        manager.toggleMark(static_cast<std::size_t>(r));
    dialog.invertSelection(); // twice: the marks stay and the list shows them
    dialog.invertSelection();
    dialog.findField()->setText(QStringLiteral("rust"));
    dialog.findClicked();
    ok = shots::save(dialog, out + QStringLiteral("/suggestions-manager.png")) && ok;
    return ok ? 0 : 1;
}
