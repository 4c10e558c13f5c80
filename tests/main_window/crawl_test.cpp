// The crawler menu and the Links branch of Go against a site on 127.0.0.1: link
// extraction into the viewer, Cancel with and without partial results, a new Go during a
// crawl, and the link-list files.

#include "app/crawler_panel.h"
#include "app/main_menus.h"
#include "history/fill_fields.h"
#include "links/window.h"
#include "main_form_fixture.h"
#include "tests/support/http_server.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>

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

    // A Links search for "cats" in the given mode on a start page linking to n sub-pages;
    // later pages answer later, so a crawl that fetches ahead still finds them one by one.
    void startOnSite(const char* mode, int n = 0, int delayMs = 0) {
        server_ = std::make_unique<HttpServer>();
        std::string links;
        for (int i = 0; i < n; ++i) {
            links += "<a href=\"/p" + std::to_string(i) + "\">x</a> ";
            server_->route("/p" + std::to_string(i), page(std::to_string(i), delayMs * (i + 1)));
        }
        server_->route("/", page(links));
        f_ = std::make_unique<MainFormFixture>();
        w_ = &f_->shown();
        f_->run(QStringLiteral("click csSpider; trigger %1; set eURL cats; set edomain %2")
                    .arg(mode, QString::fromStdString(server_->url("/"))));
        w_->menus().PopCrawler->hide();
    }
    void waitForCounter(const char* text) {
        QTRY_VERIFY_WITH_TIMEOUT(w_->crawlerPanel()->counterLabel()->text() == text, 15000);
    }
    // What an export of the link list wrote; *preset gets the name the dialog offered.
    std::string exportLinks(QAction* action, QString* preset = nullptr) {
        f_->files.save = [this, preset](const FileDialogSpec&, const std::string& name) {
            if (preset)
                *preset = QString::fromStdString(name);
            return f_->dir().file("links.txt");
        };
        action->trigger();
        return f_->dir().read("links.txt");
    }
    LinksResult goToEnd() {
        QSignalSpy done(&w_->runner(), &CrawlRunner::finished);
        w_->go();
        [&] { QVERIFY(done.wait(30000)); }();
        return done.isEmpty() ? LinksResult::Unreachable : done.at(0).at(0).value<LinksResult>();
    }
    QString viewerText() { return w_->linksViewer()->textArea()->toPlainText(); }

private slots:
    void cleanup() {
        w_ = nullptr;
        f_.reset();
        server_.reset();
    }

    // The viewer's File > Export is the main window's export: the site, then the links. The
    // list crawl's file makes the site read-only until another record fills the form; the
    // imported list shows in the viewer until "Reset all searches".
    void extractedLinksAndListFiles() {
        startOnSite("interLinks", 3);
        QCOMPARE(goToEnd(), LinksResult::Extracted);
        QTRY_VERIFY(w_->linksViewer()->isVisible());
        QVERIFY(viewerText().contains(QString::fromStdString(server_->url("/p0"))));
        QVERIFY(
            w_->linksViewer()->windowTitle().startsWith("Trov -  Internal Links on a website: "));
        QVERIFY(!w_->crawlerPanel()->isVisible() && f_->launcher.launches.empty());
        QString preset;
        const std::string exported =
            exportLinks(w_->linksViewer()->menuBar()->actions()[0]->menu()->actions()[1], &preset);
        QCOMPARE(preset, QStringLiteral("Links (127.0.0.1:%1 )").arg(server_->port()));
        QVERIFY(exported.rfind(server_->url("/") + "\r\n", 0) == 0);
        QVERIFY(exported.find(server_->url("/p1") + "\r\n") != std::string::npos);

        const std::string list = f_->dir().write(
            "list.csv", "http://a.example/;\r\nhttp://a.example/x;\r\nhttp://a.example/y\r\n");
        w_->loadCrawlList(list);
        f_->see("edomain.text=http://a.example/ edomain.readOnly=true");
        QCOMPARE(w_->runner().engine().linkList()[1].address, std::string("http://a.example/x"));
        QVERIFY(viewerText().startsWith("http://a.example/\nhttp://a.example/x"));
        // A cancelled open dialog: the name is empty, the mode stays.
        f_->files.open = [](const FileDialogSpec&, const std::string&) { return std::string(); };
        f_->run("trigger CrawlCSV => CrawlCSV.checked=true message=File__does_not_exist.");
        FillFields(record({{kColEngine, "Links ( Extract internal links from a website )"},
                           {kColBrowser, "Default"},
                           {kColSite, "e.com"}}),
                   true, *w_);
        f_->see("edomain.text=e.com edomain.readOnly=false");
        f_->files.open = [list](const FileDialogSpec&, const std::string&) { return list; };
        f_->run("trigger ImportCSV1; answer");
        QVERIFY(viewerText().startsWith("http://a.example/\nhttp://a.example/x"));
        f_->run("trigger Resetallsearches1");
        QCOMPARE(viewerText(), QString());
    }

    // During a crawl an export writes the table as it is. Cancel asks whether to show the
    // partial results: Yes opens them, No drops the list. A new Go starts afresh: it asks
    // for the start page alone, whose only link is cut.
    void cancel_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("partial results") << 0;
        QTest::newRow("no results") << 1;
        QTest::newRow("a new Go") << 2;
    }
    void cancel() {
        QFETCH(int, how);
        startOnSite(how == 1 ? "interLinks" : "StartFastCrawl", 12, 250);
        QSignalSpy done(&w_->runner(), &CrawlRunner::finished);
        w_->go();
        waitForCounter(how == 1 ? "Found 12 items" : "Found 2 items");
        if (how == 1) {
            QVERIFY(w_->runner().running());
            const std::string exported = exportLinks(w_->menus().Exportlinks1000);
            QVERIFY(exported.find(server_->url("/p11") + "\r\n") != std::string::npos);
        }
        if (how == 2) {
            QCOMPARE(w_->crawlerPanel()->modeCaption()->text(), "Crawl main page subpages");
            server_->route("/lone", page("without links"));
            f_->run(QString::fromStdString("set edomain " + server_->url("/lone")));
            w_->go();
        } else {
            f_->messages.answers = {true, how == 0};
            QTest::mouseClick(w_->crawlerPanel()->cancelButton(), Qt::LeftButton);
        }
        QVERIFY(done.wait(20000) && !w_->crawlerPanel()->isVisible());
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
};

QTEST_MAIN(CrawlTest)
#include "crawl_test.moc"
