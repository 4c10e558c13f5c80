// SPDX-License-Identifier: GPL-3.0-or-later
// While a crawl is stuck inside a page, a new Go, "Reset all searches" and a cleared list
// return at once and wait for the crawl's end event; the program's end waits a bounded moment.

#include "app/crawl/crawl_runner.h"
#include "app/crawl/crawler_panel.h"
#include "tests/support/http_server.h"
#include "tests/support/messages.h"
#include "tests/support/temp_dir.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <future>

using namespace trov;
using namespace std::chrono_literals;

namespace {

// Pages that wait for the gate, heedless of the cancel as a long scan is; the gate outlives them.
struct Gate {
    std::promise<void> open;
    std::shared_future<void> opened = open.get_future().share();
    std::atomic<int> entered{0};
    std::atomic<bool> gone{false}; // the source was destroyed
};

struct SlowPages : PageSource {
    explicit SlowPages(std::shared_ptr<Gate> g) : gate(std::move(g)) {}
    ~SlowPages() override { gate->gone.store(true); }
    void beginCrawl(const std::atomic<bool>&) override {}
    std::string FetchPage(const std::string&) override {
        ++gate->entered;
        gate->opened.wait_for(10s);
        return "<title>T</title>a red car";
    }
    std::shared_ptr<Gate> gate;
};

} // namespace

class CrawlRunnerTest : public QObject {
    Q_OBJECT

    test::TempDir dir_;
    test::HttpServer server_; // answers the reachability check
    test::RecordingMessages messages_;
    platform::RecordingLauncher launcher_;
    std::shared_ptr<Gate> gate_;

    std::unique_ptr<CrawlRunner> stuckRunner() {
        server_.route("/", {.body = "up"});
        gate_ = std::make_shared<Gate>();
        auto runner =
            std::make_unique<CrawlRunner>(dir_.file("TrovCrawler.html"), messages_, launcher_,
                                          nullptr, std::make_unique<SlowPages>(gate_));
        runner->start(job());
        [&] { QTRY_COMPARE(gate_->entered.load(), 1); }();
        return runner;
    }
    LinksJob job() {
        LinksJob j{{server_.base(), "red", "", ""}, {}, "", false, dir_.file("TrovCrawler.html")};
        j.marks.set(CrawlMode::StartFastCrawl, true);
        return j;
    }

private slots:
    void requestsDuringAStuckCrawlNeverWait_data() {
        QTest::addColumn<int>("request");
        QTest::newRow("a new Go") << 0;
        QTest::newRow("Reset all searches") << 1;
        QTest::newRow("a cleared list") << 2;
        QTest::newRow("the end of the program") << 3;
    }
    void requestsDuringAStuckCrawlNeverWait() {
        QFETCH(int, request);
        auto runner = stuckRunner();
        CrawlerPanel panel(messages_);
        runner->setPanel(&panel);
        QSignalSpy finished(runner.get(), &CrawlRunner::finished);
        QElapsedTimer asked;
        asked.start();
        if (request == 3) { // not noticed within the bound: left to end on its own
            QVERIFY(!runner->endForExit());
            runner.reset();
            const auto bound = CrawlRunner::kExitBound.count();
            QVERIFY(asked.elapsed() >= bound - 50 && asked.elapsed() < bound + 1000);
            gate_->open.set_value();
            QTRY_VERIFY(gate_->gone.load());
            return;
        }
        request == 0   ? runner->start(job())
        : request == 1 ? runner->resetAllSearches()
                       : runner->clearLinkList();
        QVERIFY(asked.elapsed() < 1000);
        QCOMPARE(panel.modeCaption()->text(), "Stopping...");
        gate_->open.set_value();
        // The stuck crawl ends without a word; the new Go runs after it.
        if (request == 0) {
            QVERIFY(finished.wait(10000));
            QCOMPARE(finished.at(0).at(0).value<LinksResult>(), LinksResult::ResultOpened);
        }
        QTRY_VERIFY(!runner->running());
        QCOMPARE(finished.size(), request == 0 ? 1 : 0);
        QCOMPARE(runner->engine().linkList()[0].address.empty(), request != 0);
    }
};

QTEST_MAIN(CrawlRunnerTest)
#include "crawl_runner_test.moc"
