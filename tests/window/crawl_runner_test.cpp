// SPDX-License-Identifier: GPL-3.0-or-later
// The crawl runner on the window thread: while a crawl is stuck inside a page, a new Go,
// "Reset all searches" and a cleared list return at once and wait, in order, for the
// crawl's end event; the end of the program waits only a bounded moment for it.

#include "app/crawl/crawl_runner.h"
#include "app/crawl/crawler_panel.h"
#include "tests/support/http_server.h"
#include "tests/support/messages.h"
#include "tests/support/temp_dir.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <condition_variable>
#include <mutex>

using namespace trov;
using namespace std::chrono_literals;

namespace {

// Pages that take until the test lets them go, heedless of the cancel, as a long scan
// inside a page is; the gate outlives the source, which the runner may hand to its thread.
struct Gate {
    void open() {
        std::lock_guard lock(mutex);
        opened = true;
        changed.notify_all();
    }
    std::mutex mutex;
    std::condition_variable changed;
    bool opened = false;
    std::atomic<int> entered{0};
    std::atomic<bool> gone{false}; // the source was destroyed
};

struct SlowPages : PageSource {
    explicit SlowPages(std::shared_ptr<Gate> g) : gate(std::move(g)) {}
    ~SlowPages() override { gate->gone.store(true); }
    void beginCrawl(const std::atomic<bool>&) override {}
    std::string FetchPage(const std::string&) override {
        ++gate->entered;
        std::unique_lock lock(gate->mutex);
        gate->changed.wait_for(lock, 10s, [this] { return gate->opened; });
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
        gate_ = std::make_shared<Gate>();
        auto runner =
            std::make_unique<CrawlRunner>(dir_.file("TrovCrawler.html"), messages_, launcher_,
                                          nullptr, std::make_unique<SlowPages>(gate_));
        runner->start(job());
        [&] { QTRY_COMPARE(gate_->entered.load(), 1); }();
        return runner;
    }
    LinksJob job() {
        LinksJob j;
        j.inputs = {server_.base(), "red", "", ""};
        j.marks.set(CrawlMode::StartFastCrawl, true);
        j.resultPage = dir_.file("TrovCrawler.html");
        return j;
    }

private slots:
    void requestsDuringAStuckCrawlNeverWait_data() {
        QTest::addColumn<int>("request");
        QTest::newRow("a new Go") << 0;
        QTest::newRow("Reset all searches") << 1;
        QTest::newRow("a cleared list") << 2;
    }
    void requestsDuringAStuckCrawlNeverWait() {
        QFETCH(int, request);
        server_.route("/", {.body = "up"});
        const auto runner = stuckRunner();
        CrawlerPanel panel(messages_);
        runner->setPanel(&panel);
        QSignalSpy finished(runner.get(), &CrawlRunner::finished);
        QElapsedTimer asked;
        asked.start();
        if (request == 0)
            runner->start(job());
        else if (request == 1)
            runner->resetAllSearches();
        else
            runner->clearLinkList();
        QVERIFY(asked.elapsed() < 1000);
        QCOMPARE(panel.modeCaption()->text(), "Stopping...");
        bool ticked = false; // the window's event loop goes on meanwhile
        QTimer::singleShot(0, [&ticked] { ticked = true; });
        QTRY_VERIFY(ticked);
        QVERIFY(runner->running());
        gate_->open();
        // The stuck crawl ends without a word; the new Go runs after it.
        if (request == 0) {
            QVERIFY(finished.wait(10000));
            QCOMPARE(finished.at(0).at(0).value<LinksResult>(), LinksResult::ResultOpened);
        }
        QTRY_VERIFY(!runner->running());
        QCOMPARE(finished.size(), request == 0 ? 1 : 0);
        QCOMPARE(runner->engine().linkList()[0].address.empty(), request != 0);
        QCOMPARE(panel.modeCaption()->text(), "");
    }

    // The end of the program: a crawl that does not notice the cancel within the bound is
    // left to end on its own, with what it works on.
    void theEndWaitsABoundedMoment() {
        server_.route("/", {.body = "up"});
        auto runner = stuckRunner();
        const std::size_t launches = launcher_.launches.size();
        QElapsedTimer t;
        t.start();
        QVERIFY(!runner->endForExit());
        QVERIFY(t.elapsed() >= CrawlRunner::kExitBound.count() - 50);
        runner.reset();
        QVERIFY(t.elapsed() < CrawlRunner::kExitBound.count() + 1000);
        QVERIFY(!gate_->gone.load());
        gate_->open();
        QTRY_VERIFY(gate_->gone.load());
        QCoreApplication::processEvents();
        QCOMPARE(launcher_.launches.size(), launches);
    }
};

QTEST_MAIN(CrawlRunnerTest)
#include "crawl_runner_test.moc"
