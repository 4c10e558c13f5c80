// SPDX-License-Identifier: GPL-3.0-or-later
// The crawler from the main window, offscreen, against a site on 127.0.0.1: the links
// viewer and list files, Cancel and Exit during a crawl, the crawler's manners and "Check
// links" with its report window. The wiring only: what each crawl and each check finds is
// the core's to test.

#include "app/crawl/crawl_controller.h"
#include "app/crawl/crawler_panel.h"
#include "app/crawl/link_report_window.h"
#include "crawler/link_report.h"
#include "crawler/results.h"
#include "history/fill_fields.h"
#include "links/window.h"
#include "main_form_fixture.h"
#include "tests/support/http_server.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>

using namespace trov;
using namespace trov::test;

namespace {

HttpResponse page(const std::string& body, int delayMs = 0) {
    HttpResponse r;
    r.body = "<html><head><title>T</title></head><body>cats " + body + "</body></html>";
    r.delayMs = delayMs;
    return r;
}

} // namespace

class CrawlTest : public QObject {
    Q_OBJECT

    std::unique_ptr<HttpServer> server_;
    std::unique_ptr<MainFormFixture> f_;
    TMainForm* w_ = nullptr;

    // A Links search for "cats" in a crawler mode, on a start page linking to paths.
    void onSite(const char* mode, const std::vector<std::string>& paths, bool freshWindow = true) {
        std::string links;
        for (const std::string& p : paths)
            links += "<a href=\"" + p + "\">x</a> ";
        server_->route("/", page(links));
        if (freshWindow) {
            f_ = std::make_unique<MainFormFixture>();
            f_->shown();
        }
        w_ = f_->form;
        f_->run(QStringLiteral("click csSpider; trigger %1; set eURL cats; set edomain %2")
                    .arg(mode, QString::fromStdString(server_->url("/"))));
        w_->menus().PopCrawler->hide();
    }
    // The start page linking to n sub-pages that answer one by one.
    void onPagedSite(const char* mode, int n, int delayMs = 0) {
        std::vector<std::string> paths;
        for (int i = 0; i < n; ++i) {
            paths.push_back("/p" + std::to_string(i));
            server_->route(paths.back(), page(std::to_string(i), delayMs * (i + 1)));
        }
        onSite(mode, paths);
    }
    // What an export of the link list wrote.
    std::string exportLinks(QAction* action) {
        f_->files.save = [this](const FileDialogSpec&, const std::string&) {
            return f_->dir().file("links.txt");
        };
        action->trigger();
        return f_->dir().read("links.txt");
    }
    QString viewerText() { return w_->crawl().viewer()->textArea()->toPlainText(); }

    // Whether the crawler menu offers "Check links" as it opens.
    bool offered() {
        emit w_->menus().PopCrawler->aboutToShow();
        return w_->menus().CheckLinks1->isEnabled();
    }
    // An all-links extraction of the start page, which links to paths.
    void extract(const std::vector<std::string>& paths, bool freshWindow = true) {
        onSite("AllLinks", paths, freshWindow);
        QVERIFY(!offered());
        QSignalSpy done(&w_->crawl().runner(), &CrawlRunner::finished);
        w_->go();
        QVERIFY(done.wait(30000));
        QVERIFY(offered());
    }
    LinkReportWindow* report() { return w_->crawl().reportWindow(); }
    QString shownAddress(int row) {
        return QString::fromStdString(report()->table().row(row).address)
            .remove(QString::fromStdString(server_->base()));
    }

private slots:
    void init() { server_ = std::make_unique<HttpServer>(); }
    void cleanup() {
        w_ = nullptr;
        f_.reset();
        server_.reset();
    }

    // The viewer's Export is the main window's; a list file makes the site read-only until
    // another record fills the form; an import shows until "Reset all searches".
    void extractedLinksAndListFiles() {
        onPagedSite("interLinks", 3);
        QSignalSpy done(&w_->crawl().runner(), &CrawlRunner::finished);
        w_->go();
        QVERIFY(done.wait(30000));
        QCOMPARE(done.at(0).at(0).value<LinksResult>(), LinksResult::Extracted);
        QTRY_VERIFY(w_->crawl().viewer()->isVisible());
        QVERIFY(viewerText().contains(QString::fromStdString(server_->url("/p0"))));
        QVERIFY(w_->crawl().viewer()->windowTitle().startsWith(
            "Trov -  Internal Links on a website: "));
        QVERIFY(!w_->crawl().panel()->isVisible());
        QCOMPARE(f_->launcher.launches.size(), std::size_t(0));
        const std::string exported =
            exportLinks(w_->crawl().viewer()->menuBar()->actions()[0]->menu()->actions()[1]);
        QVERIFY(exported.rfind(server_->url("/") + "\r\n", 0) == 0);
        QVERIFY(exported.find(server_->url("/p1") + "\r\n") != std::string::npos);

        const std::string list = f_->dir().write(
            "list.csv", "http://a.example/;\r\nhttp://a.example/x;\r\nhttp://a.example/y\r\n");
        w_->loadCrawlList(list);
        f_->see("edomain.text=http://a.example/ edomain.readOnly=true");
        QCOMPARE(w_->crawl().runner().engine().linkList()[1].address,
                 std::string("http://a.example/x"));
        // Its record filled while the field shows the first line: the line stays.
        const std::string fromList = "||||||Default|||||Links ( Crawl from a file " + list + " )";
        FillFields(record(fromList.c_str()), true, *w_);
        f_->see("edomain.text=http://a.example/");
        QCOMPARE(w_->form().text(TextField::Site), std::string("http://a.example/"));
        QVERIFY(viewerText().startsWith("http://a.example/\nhttp://a.example/x"));
        // A cancelled open dialog: the name is empty, the mode stays.
        f_->files.open = [](const FileDialogSpec&, const std::string&) { return std::string(); };
        f_->run("trigger CrawlCSV => CrawlCSV.checked=true message=File__does_not_exist.");
        FillFields(
            record("|||||e.com||Default|||||Links ( Extract internal links from a website )"), true,
            *w_);
        f_->see("edomain.text=e.com edomain.readOnly=false");
        f_->files.open = [list](const FileDialogSpec&, const std::string&) { return list; };
        f_->run("trigger ImportCSV1; answer");
        QVERIFY(viewerText().startsWith("http://a.example/\nhttp://a.example/x"));
        f_->run("trigger Resetallsearches1");
        QCOMPARE(viewerText(), QString());
    }

    // A crawl's export writes the table as it is; Cancel's Yes opens the partial results, No
    // drops the list; a new Go starts afresh on a start page alone; Exit ends the crawl
    // before it writes the stores.
    void cancel_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("partial results") << 0;
        QTest::newRow("no results") << 1;
        QTest::newRow("a new Go") << 2;
        QTest::newRow("Exit") << 3;
    }
    void cancel() {
        QFETCH(int, how);
        onPagedSite(how == 1 ? "interLinks" : "StartFastCrawl", 12, 250);
        QSignalSpy done(&w_->crawl().runner(), &CrawlRunner::finished);
        w_->go();
        const QString found = how == 1 ? "Found 12 items" : "Found 2 items";
        QTRY_VERIFY_WITH_TIMEOUT(w_->crawl().panel()->counterLabel()->text() == found, 15000);
        if (how == 1) {
            QVERIFY(w_->crawl().runner().running());
            const std::string exported = exportLinks(w_->menus().Exportlinks1000);
            QVERIFY(exported.find(server_->url("/p11") + "\r\n") != std::string::npos);
        }
        if (how == 3) {
            f_->run("trigger Exit1 => quits=1");
            QVERIFY(fileExists(f_->dir().file("HistGrid.cld")));
            QVERIFY(w_->crawl().runner().endForExit()); // its thread is over
            return;
        }
        if (how == 2) {
            QCOMPARE(w_->crawl().panel()->modeCaption()->text(), "Crawl main page subpages");
            server_->route("/lone", page("without links"));
            f_->run(QString::fromStdString("set edomain " + server_->url("/lone")));
            w_->go();
        } else {
            f_->messages.answers = {true, how == 0};
            QTest::mouseClick(w_->crawl().panel()->cancelButton(), Qt::LeftButton);
        }
        QVERIFY(done.wait(20000));
        QVERIFY(!w_->crawl().panel()->isVisible());
        QCOMPARE(done.at(0).at(0).value<LinksResult>(),
                 how == 1 ? LinksResult::Cancelled : LinksResult::ResultOpened);
        if (how == 1) { // the list is gone: an export writes only the site line
            QCOMPARE(exportLinks(w_->menus().Exportlinks1000), server_->url("/") + "\r\n");
            return;
        }
        QTRY_COMPARE(f_->launcher.launches.size(), std::size_t(1));
        QCOMPARE(f_->launcher.launches[0].address, f_->dir().file("TrovCrawler.html"));
        const std::string html = f_->dir().read("TrovCrawler.html");
        QVERIFY(html.find(server_->url("/p11")) == std::string::npos);
        QCOMPARE(html.find("About 1 result<br>") != std::string::npos, how == 2);
    }

    void reportWindowShowsTheCheck() {
        server_->route("/ok", {.body = "fine"});
        server_->route("/broken", {.status = 500});
        extract({"/ok", "/missing", "/broken"});
        f_->run("trigger CheckLinks1");
        QTRY_VERIFY_WITH_TIMEOUT(report(), 20000);
        QTRY_VERIFY(report()->isVisible());
        QCOMPARE(report()->windowTitle(), QStringLiteral("Link check: 2 problems"));
        QCOMPARE(report()->table().rowCount(), 3);

        // The filter, then a click on the status column's header, through the model.
        QTest::mouseClick(report()->problemsOnlyBox(), Qt::LeftButton);
        QCOMPARE(shownAddress(0) + ' ' + shownAddress(1), QStringLiteral("/broken /missing"));
        QHeaderView* header = report()->view()->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(1) + 5, 5));
        QCOMPARE(shownAddress(0) + ' ' + shownAddress(1), QStringLiteral("/missing /broken"));

        // Double-click opens the address, Ctrl+Enter the page it was found on.
        QTableView* view = report()->view();
        const QPoint at = view->visualRect(report()->table().index(1, 0)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
        f_->see(QStringLiteral("launch=%1").arg(QString::fromStdString(server_->url("/broken"))));
        QTest::keyClick(view, Qt::Key_Return, Qt::ControlModifier);
        f_->see(
            QStringLiteral("launch=%1 launches=2").arg(QString::fromStdString(server_->base())));

        // The export writes the whole report; a refused write says so.
        for (const char* name : {"report.csv", "no/report.json"}) {
            const std::string path = f_->dir().file(name);
            f_->files.save = [&](const FileDialogSpec& dialog, const std::string&) {
                return dialog.suffixFromFilter ? path : std::string();
            };
            QTest::mouseClick(report()->exportButton(), Qt::LeftButton);
        }
        QCOMPARE(f_->dir().read("report.csv"), linkReportCsv(report()->table().model().report()));
        QVERIFY(f_->seen("message").startsWith(
            QString::fromStdString(unableToWrite(f_->dir().file("no/")))));
    }

    // The crawler menu's manners reach the crawl and are kept in YY.cfg for the next start.
    void crawlerMannersReachTheCrawlAndAreKept() {
        server_->route("/robots.txt", {.body = "User-agent: *\nDisallow: /private\n"});
        server_->route("/sitemap.xml", {.body = "<urlset><url><loc>" + server_->url("/orphan") +
                                                "</loc></url></urlset>"});
        f_ = std::make_unique<MainFormFixture>();
        f_->shown();
        f_->see("RespectRobots1.checked=true UseSitemap1.checked=false");
        f_->run("trigger UseSitemap1 => cfg:Options/optUseSitemap=1");
        extract({"/private"}, false);
        const std::string orphan = server_->url("/orphan");
        QVERIFY(w_->crawl().runner().engine().readLinkList([&](const LinkList& list) {
            const auto links = sortedLinks(list);
            return std::ranges::find(links, orphan) != links.end();
        }));
        QCOMPARE(
            f_->seen("message"),
            QStringLiteral("robots.txt kept the crawler from 1 pages; they were not fetched."));
        f_->run("trigger RespectRobots1 => cfg:Options/optRespectRobots=0");
        MainFormFixture again(std::move(f_->dir_));
        again.create();
        again.see("RespectRobots1.checked=false UseSitemap1.checked=true");
    }

    // Cancel asks only whether to cancel: the check ends, no window shows, the links stay.
    void cancelledCheckShowsNoWindow() {
        server_->fallback([](const HttpRequest& r) {
            const bool slow = r.path == "/slow" && r.method == "HEAD";
            return HttpResponse{.body = "page", .delayMs = slow ? 10000 : 0};
        });
        extract({"/fast", "/slow"});
        f_->run("trigger CheckLinks1");
        CrawlerPanel* panel = w_->crawl().panel();
        QTRY_COMPARE_WITH_TIMEOUT(panel->counterLabel()->text(),
                                  QStringLiteral("Checked 1 of 2 links"), 20000);
        QCOMPARE(panel->modeCaption()->text(), QStringLiteral("Check links"));
        QVERIFY(panel->isVisible());
        QVERIFY(!offered());
        f_->messages.answers = {true};
        QTest::mouseClick(panel->cancelButton(), Qt::LeftButton);
        QTRY_VERIFY(!w_->crawl().running());
        QTest::qWait(100);
        QVERIFY(!report());
        QVERIFY(!panel->isVisible());
        QVERIFY(offered());
        QCOMPARE(f_->messages.asked.size(), std::size_t(1));
        QVERIFY(f_->messages.yesPreselected.empty());
    }
};

QTEST_MAIN(CrawlTest)
#include "crawl_test.moc"
