// SPDX-License-Identifier: GPL-3.0-or-later
// "Check links" in the crawler menu and its report window, offscreen, against a site on
// 127.0.0.1: the wiring only (each link's status is the core's to test).

#include "app/crawl/crawl_controller.h"
#include "app/crawl/crawler_panel.h"
#include "app/crawl/link_report_window.h"
#include "crawler/link_report.h"
#include "crawler/results.h"
#include "main_form_fixture.h"
#include "tests/support/http_server.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>

using namespace trov;
using namespace trov::test;

class LinkCheckTest : public QObject {
    Q_OBJECT

    HttpServer server_;
    std::unique_ptr<MainFormFixture> f_;
    TMainForm* w_ = nullptr;

    // Whether the crawler menu offers "Check links" as it opens.
    bool offered() {
        emit w_->menus().PopCrawler->aboutToShow();
        return w_->menus().CheckLinks1->isEnabled();
    }
    // An all-links extraction of the start page, which links to paths.
    void extract(const std::vector<std::string>& paths, bool freshWindow = true) {
        std::string links;
        for (const std::string& p : paths)
            links += "<a href=\"" + p + "\">x</a> ";
        server_.route("/", {.body = "<html><body>" + links + "</body></html>"});
        if (freshWindow) {
            f_ = std::make_unique<MainFormFixture>();
            f_->shown();
        }
        w_ = f_->form;
        f_->run(QStringLiteral("click csSpider; trigger AllLinks; set eURL cats; set edomain %1")
                    .arg(QString::fromStdString(server_.url("/"))));
        w_->menus().PopCrawler->hide();
        QVERIFY(!offered());
        QSignalSpy done(&w_->crawl().runner(), &CrawlRunner::finished);
        w_->go();
        QVERIFY(done.wait(30000));
        QVERIFY(offered());
    }
    LinkReportWindow* report() { return w_->crawl().reportWindow(); }
    QString shownAddress(int row) {
        return QString::fromStdString(report()->table().row(row).address)
            .remove(QString::fromStdString(server_.base()));
    }

private slots:
    void cleanup() {
        w_ = nullptr;
        f_.reset();
    }

    void reportWindowShowsTheCheck() {
        server_.route("/ok", {.body = "fine"});
        server_.route("/broken", {.status = 500});
        extract({"/ok", "/missing", "/broken"});
        f_->run("trigger CheckLinks1");
        QTRY_VERIFY_WITH_TIMEOUT(report() && report()->isVisible(), 20000);
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
        f_->see(QStringLiteral("launch=%1").arg(QString::fromStdString(server_.url("/broken"))));
        QTest::keyClick(view, Qt::Key_Return, Qt::ControlModifier);
        f_->see(QStringLiteral("launch=%1 launches=2").arg(QString::fromStdString(server_.base())));

        // The export writes the whole report; a refused write says so.
        for (const char* name : {"report.csv", "no/report.json"}) {
            const std::string path = f_->dir().file(name);
            f_->files.save = [&](const FileDialogSpec& spec, const std::string&) {
                return spec.suffixFromFilter ? path : std::string();
            };
            QTest::mouseClick(report()->exportButton(), Qt::LeftButton);
        }
        QCOMPARE(f_->dir().read("report.csv"), linkReportCsv(report()->table().model().report()));
        QVERIFY(f_->seen("message").startsWith(
            QString::fromStdString(unableToWrite(f_->dir().file("no/")))));
    }

    // The crawler menu's manners reach the crawl and are kept in YY.cfg for the next start.
    void crawlerMannersReachTheCrawlAndAreKept() {
        server_.route("/robots.txt", {.body = "User-agent: *\nDisallow: /private\n"});
        server_.route("/sitemap.xml", {.body = "<urlset><url><loc>" + server_.url("/orphan") +
                                               "</loc></url></urlset>"});
        f_ = std::make_unique<MainFormFixture>();
        f_->shown();
        f_->see("RespectRobots1.checked=true UseSitemap1.checked=false");
        f_->run("trigger UseSitemap1 => cfg:Options/optUseSitemap=1");
        extract({"/private"}, false);
        const std::string orphan = server_.url("/orphan");
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
        server_.fallback([](const HttpRequest& r) {
            const bool slow = r.path == "/slow" && r.method == "HEAD";
            return HttpResponse{.body = "page", .delayMs = slow ? 10000 : 0};
        });
        extract({"/fast", "/slow"});
        f_->run("trigger CheckLinks1");
        CrawlerPanel* panel = w_->crawl().panel();
        QTRY_COMPARE_WITH_TIMEOUT(panel->counterLabel()->text(),
                                  QStringLiteral("Checked 1 of 2 links"), 20000);
        QCOMPARE(panel->modeCaption()->text(), QStringLiteral("Check links"));
        QVERIFY(panel->isVisible() && !offered());
        f_->messages.answers = {true};
        QTest::mouseClick(panel->cancelButton(), Qt::LeftButton);
        QTRY_VERIFY(!w_->crawl().running());
        QTest::qWait(100);
        QVERIFY(!report() && !panel->isVisible() && offered());
        QCOMPARE(f_->messages.asked.size(), std::size_t(1));
        QVERIFY(f_->messages.yesPreselected.empty());
    }
};

QTEST_MAIN(LinkCheckTest)
#include "link_check_test.moc"
