// SPDX-License-Identifier: GPL-3.0-or-later
// trov-main-shots: the main window on a temporary data folder, saved as pictures for the
// README: collapsed, expanded on the default and on a dark background, the main menu, and
// the crawler's progress panel.

#include "app/crawl/crawl_controller.h"
#include "app/crawl/crawler_panel.h"
#include "app/main_window/main_form.h"
#include "app/main_window/main_menus.h"
#include "app/main_window/main_window.h"
#include "common/messages.h"
#include "crawler/crawl_engine.h"
#include "history/history_clock.h"
#include "history/history_go_port.h"
#include "history/history_store.h"
#include "platform/autostart.h"
#include "platform/browsers.h"
#include "platform/launcher.h"
#include "suggest/suggestion_store.h"
#include "tools/screenshots/shots.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QTemporaryDir>
#include <functional>
#include <string>

namespace {

// A site whose start page links forty pages deep in its documentation. Asked for the page
// named by pausedAt, it first runs paused: the crawl's events so far have reached the panel.
class SampleSite : public trov::PageSource {
public:
    static constexpr const char* kStart = "https://www.example.com";
    std::string pausedAt;
    std::function<void()> paused;

    static std::string page(int n) {
        return std::string(kStart) + "/docs/installation/linux/debian/packages/page-" +
               std::to_string(n) + ".html";
    }
    void beginCrawl(const std::atomic<bool>&) override {}
    std::string FetchPage(const std::string& address) override {
        if (address == pausedAt && paused)
            paused();
        if (address != kStart)
            return "<html><body>Solar panels for a roof</body></html>";
        std::string body = "<html><body>";
        for (int n = 1; n <= 40; ++n)
            body += "<a href=\"" + page(n) + "\">Page " + std::to_string(n) + "</a>";
        return body + "</body></html>";
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = shots::outputFolder(argc, argv);
    QTemporaryDir data;
    const std::string folder = data.path().toStdString() + "/";
    shots::PrintedMessages messages;
    trov::Config config(folder + "YY.cfg");
    trov::HistoryStore history{trov::DataFolder(folder)};
    trov::SystemHistoryClock clock;
    trov::HistoryGoPort historyPort(history, clock, messages);
    trov::SuggestionStore suggestions(folder + "gs1001.sgg");
    trov::platform::RecordingLauncher launcher;
    trov::platform::FakeBrowserRegistry browsers;
    browsers.list = {{"firefox.desktop", "Firefox", "firefox %u"},
                     {"chromium.desktop", "Chromium", "chromium %U"}};
    browsers.defaultEntry = browsers.list[0];
    trov::platform::FakeAutostart autostart;
    trov::MainFormServices services{trov::DataFolder(folder),
                                    config,
                                    messages,
                                    launcher,
                                    browsers,
                                    autostart,
                                    history,
                                    &historyPort,
                                    suggestions,
                                    "/usr/bin/trov",
                                    {},
                                    {},
                                    {}};
    trov::MainWindow mainWindow(services);
    trov::TMainForm& w = mainWindow.form();
    w.FormCreate();
    w.move(40, 40);
    w.show();
    if (!QTest::qWaitForWindowExposed(&w))
        std::fprintf(stderr, "the window did not show\n");
    const trov::MainFormWidgets& c = w.widgets();
    c.eURL->setText(QStringLiteral("solar panels"));
    bool ok = shots::save(w, out + QStringLiteral("/main-collapsed.png"));

    w.toggleExpanded();
    const trov::AdvancedFields& a = w.advanced();
    a.eexact->setText(QStringLiteral("roof mounted"));
    a.eexclude->setText(QStringLiteral("cheap"));
    a.cb5->setCurrentIndex(1);
    a.cb2->setCurrentIndex(13);
    c.eURL->setFocus();
    ok = shots::save(w, out + QStringLiteral("/main-expanded-light.png")) && ok;

    w.applyBackground(trov::colourValue(46, 52, 64));
    w.pressEngine(trov::SearchEngine::DuckDuckGo);
    ok = shots::save(w, out + QStringLiteral("/main-expanded-dark.png")) && ok;

    // The menu opens in a window of its own; it is drawn beside the form's corner.
    w.applyBackground(trov::kDefaultBackground);
    w.pressEngine(trov::SearchEngine::Google);
    w.menus().main->popup(w.mapToGlobal(QPoint(300, 40)));
    if (!QTest::qWaitForWindowExposed(w.menus().main))
        std::fprintf(stderr, "the menu did not show\n");
    const QPixmap menu = shots::drawn(*w.menus().main);
    const QPixmap form = shots::drawn(w);
    QPixmap both(form.width() + 10, std::max(form.height(), menu.height() + 40));
    both.fill(QColor(0x30, 0x30, 0x30));
    {
        QPainter p(&both);
        p.drawPixmap(0, 0, form);
        p.drawPixmap(both.width() - menu.width(), 40, menu);
    }
    w.menus().main->hide();
    ok = shots::save(both, out + QStringLiteral("/main-menu.png")) && ok;

    // The progress panel as a sub-page crawl shows it part-way: the crawl reports to the
    // panel as it does in the program, and the picture is taken as it asks for a page.
    w.pressEngine(trov::SearchEngine::Links);
    w.menus().PopCrawler->hide();
    a.edomain->setText(QString::fromLatin1(SampleSite::kStart));
    trov::CrawlerPanel* panel = w.crawl().panel();
    SampleSite site;
    site.pausedAt = SampleSite::page(17);
    bool panelSaved = false;
    site.paused = [&] { panelSaved = shots::save(w, out + QStringLiteral("/crawler-panel.png")); };
    trov::CrawlEngine crawl(site, folder + "TrovCrawler.html", messages, *panel);
    crawl.run(trov::CrawlMode::StartFastCrawl, {SampleSite::kStart, "solar panels", "", ""});
    return ok && panelSaved ? 0 : 1;
}
