// The crawler menu and the Links branch of Go against a site on 127.0.0.1: link
// extraction into the viewer, Cancel with and without partial results, a new Go during a
// crawl, and the link-list file.

#include "app/crawler_panel.h"
#include "app/main_menus.h"
#include "history/fill_fields.h"
#include "links/window.h"
#include "main_form_fixture.h"
#include "tests/support/http_server.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>

using namespace trov;
using namespace trov::test;

namespace {

std::string page(const std::string& body) {
    return "<html><head><title>T</title></head><body>" + body + "</body></html>";
}

} // namespace

class CrawlTest : public QObject {
    Q_OBJECT

    std::unique_ptr<HttpServer> server_;
    std::unique_ptr<MainFormFixture> f_;
    TMainForm* w_ = nullptr;

    // A start page linking to n sub-pages that each answer after delayMs.
    void serve(int n, int delayMs) {
        server_ = std::make_unique<HttpServer>();
        std::string links;
        for (int i = 0; i < n; ++i) {
            const std::string path = "/p" + std::to_string(i);
            links += "<a href=\"" + path + "\">x</a> ";
            HttpResponse r;
            r.body = page("cats live here " + std::to_string(i));
            // Later pages answer later, so a crawl that fetches ahead still finds them
            // one by one and the counter passes every value.
            r.delayMs = delayMs * (i + 1);
            server_->route(path, r);
        }
        HttpResponse start;
        start.body = page("cats " + links);
        server_->route("/", start);
    }
    void make() {
        f_ = std::make_unique<MainFormFixture>();
        f_->writeCfg("[App]\r\nstart=0\r\n[Pin]\r\nPrviZagon=0\r\n");
        w_ = &f_->create(true);
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_));
        w_->pressEngine(SearchEngine::Links);
        w_->menus().PopCrawler->hide();
    }
    void site(const std::string& s) { w_->advanced().edomain->setText(QString::fromStdString(s)); }
    // A Links search of the served site for "cats" in the given mode; with go, running.
    void startOnSite(CrawlMode mode, bool go = true) {
        make();
        w_->menus().mode(mode)->trigger();
        w_->widgets().eURL->setText(QStringLiteral("cats"));
        site(server_->url("/"));
        if (go)
            w_->go();
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
    LinksResult runToEnd() {
        QSignalSpy done(&w_->runner(), &CrawlRunner::finished);
        w_->go();
        [&] { QVERIFY(done.wait(30000)); }();
        return done.isEmpty() ? LinksResult::Unreachable
                              : done.takeFirst().at(0).value<LinksResult>();
    }

private slots:
    void cleanup() {
        w_ = nullptr;
        f_.reset();
        server_.reset();
    }

    void extractedLinksGoToTheViewer() {
        serve(3, 0);
        startOnSite(CrawlMode::interLinks, false);
        QCOMPARE(runToEnd(), LinksResult::Extracted);
        QTRY_VERIFY(w_->linksViewer()->isVisible());
        const QString text = w_->linksViewer()->textArea()->toPlainText();
        QVERIFY2(text.contains(QString::fromStdString(server_->url("/p0"))), qPrintable(text));
        QVERIFY(w_->linksViewer()->windowTitle().startsWith(
            QStringLiteral("Trov -  Internal Links on a website: ")));
        QVERIFY(!w_->crawlerPanel()->isVisible());
        QVERIFY(f_->launcher.launches.empty());
        // The viewer's File > Export is the main window's export: the site line, then the
        // sorted addresses.
        QString preset;
        const std::string exported =
            exportLinks(w_->linksViewer()->menuBar()->actions()[0]->menu()->actions()[1], &preset);
        QCOMPARE(preset, QStringLiteral("Links (127.0.0.1:%1 )").arg(server_->port()));
        QVERIFY(exported.rfind(server_->url("/") + "\r\n", 0) == 0);
        QVERIFY(exported.find(server_->url("/p1") + "\r\n") != std::string::npos);
    }

    // Cancel asks whether to show the partial results: Yes opens them, No drops the list.
    void cancel_data() {
        QTest::addColumn<bool>("partial");
        QTest::newRow("partial results") << true;
        QTest::newRow("no results") << false;
    }
    void cancel() {
        QFETCH(bool, partial);
        serve(12, 250);
        startOnSite(CrawlMode::StartFastCrawl);
        QSignalSpy done(&w_->runner(), &CrawlRunner::finished);
        CrawlerPanel* panel = w_->crawlerPanel();
        QTRY_VERIFY_WITH_TIMEOUT(panel->counterLabel()->text() == QStringLiteral("Found 2 items"),
                                 15000);
        QCOMPARE(panel->modeCaption()->text(), QStringLiteral("Crawl main page subpages"));
        f_->messages.answers = {true, partial};
        QTest::mouseClick(panel->cancelButton(), Qt::LeftButton);
        QVERIFY(done.wait(20000));
        QVERIFY(!panel->isVisible());
        if (partial) {
            QCOMPARE(done.takeFirst().at(0).value<LinksResult>(), LinksResult::ResultOpened);
            QTRY_COMPARE(f_->launcher.launches.size(), std::size_t(1));
            QCOMPARE(f_->launcher.launches[0].address, f_->dir().file("TrovCrawler.html"));
            QVERIFY(f_->dir().read("TrovCrawler.html").find(server_->url("/p11")) ==
                    std::string::npos);
            return;
        }
        QCOMPARE(done.takeFirst().at(0).value<LinksResult>(), LinksResult::Cancelled);
        QVERIFY(f_->launcher.launches.empty());
        // The list is gone: an export writes only the site line.
        QCOMPARE(exportLinks(w_->menus().Exportlinks1000), server_->url("/") + "\r\n");
    }

    void exportDuringACrawlWritesTheTableAsItIs() {
        serve(12, 400);
        startOnSite(CrawlMode::interLinks);
        QTRY_VERIFY_WITH_TIMEOUT(
            w_->crawlerPanel()->counterLabel()->text() == QStringLiteral("Found 12 items"), 15000);
        QVERIFY(w_->runner().running());
        const std::string exported = exportLinks(w_->menus().Exportlinks1000);
        QVERIFY2(exported.find(server_->url("/p11") + "\r\n") != std::string::npos,
                 exported.c_str());
    }

    void aNewGoDuringACrawlStartsAfresh() {
        serve(12, 300);
        startOnSite(CrawlMode::StartFastCrawl);
        QTRY_VERIFY_WITH_TIMEOUT(
            w_->crawlerPanel()->counterLabel()->text() == QStringLiteral("Found 2 items"), 15000);
        // The second Go asks for the start page alone: its only link is cut.
        HttpResponse lone;
        lone.body = page("cats without links");
        server_->route("/lone", lone);
        site(server_->url("/lone"));
        QCOMPARE(runToEnd(), LinksResult::ResultOpened);
        QTRY_COMPARE(f_->launcher.launches.size(), std::size_t(1));
        const std::string html = f_->dir().read("TrovCrawler.html");
        QVERIFY(html.find("About 1 result<br>") != std::string::npos);
        QVERIFY(html.find("/p0") == std::string::npos);
    }

    void listOfLinksLoadsForTheListCrawl() {
        make();
        const std::string list = f_->dir().write(
            "list.csv", "http://a.example/;\r\nhttp://a.example/x;\r\nhttp://a.example/y\r\n");
        w_->loadCrawlList(list);
        QCOMPARE(w_->advanced().edomain->text(), QStringLiteral("http://a.example/"));
        QVERIFY(w_->advanced().edomain->isReadOnly());
        QCOMPARE(w_->runner().engine().linkList()[1].address, std::string("http://a.example/x"));
        QVERIFY(w_->linksViewer()->textArea()->toPlainText().startsWith(
            QStringLiteral("http://a.example/\nhttp://a.example/x")));
        // A cancelled open dialog: the name is empty.
        f_->files.open = [](const FileDialogSpec&, const std::string&) { return std::string(); };
        w_->menus().mode(CrawlMode::CrawlCSV)->trigger();
        QCOMPARE(f_->messages.shown.back().icon, MessageIcon::Warning);
        QCOMPARE(f_->messages.shown.back().text, std::string("File  does not exist."));
        QVERIFY(w_->form().crawlMarks()[CrawlMode::CrawlCSV]);
        // "Fill search fields" from an extract record makes the site editable again.
        FillFields(record({{kColEngine, "Links ( Extract internal links from a website )"},
                           {kColBrowser, "Default"},
                           {kColSite, "e.com"}}),
                   true, *w_);
        QCOMPARE(w_->advanced().edomain->text(), QStringLiteral("e.com"));
        QVERIFY(!w_->advanced().edomain->isReadOnly());
    }

    void importAndResetAllSearches() {
        make();
        const std::string file =
            f_->dir().write("in.csv", "http://s.example/;\r\nhttp://s.example/a;\r\n");
        f_->files.open = [&](const FileDialogSpec&, const std::string&) { return file; };
        w_->menus().ImportCSV1->trigger();
        QCOMPARE(w_->linksViewer()->textArea()->toPlainText(),
                 QStringLiteral("http://s.example/\nhttp://s.example/a\n"));
        f_->messages.answers = {true};
        w_->menus().Resetallsearches1->trigger();
        QCOMPARE(w_->linksViewer()->textArea()->toPlainText(), QString());
    }
};

QTEST_MAIN(CrawlTest)
#include "crawl_test.moc"
