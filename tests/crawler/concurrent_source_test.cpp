#include "crawler/concurrent_page_source.h"
#include "crawler/curl_page_source.h"
#include "tests/crawler/crawl_rig.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace trov {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using test::HttpRequest;
using test::HttpResponse;
using test::HttpServer;

// Waits until pred holds or the time is up; answers whether it held.
template <class Pred> bool waitFor(Pred pred, std::chrono::milliseconds limit) {
    const auto end = Clock::now() + limit;
    while (!pred() && Clock::now() < end)
        std::this_thread::sleep_for(5ms);
    return pred();
}

std::string page(int i) {
    return "/p" + std::to_string(i) + ".html";
}

// A start page linking to pages 0 to n - 1.
void serveHome(HttpServer& server, int pages) {
    std::string home = "<title>Home</title>";
    for (int i = 0; i < pages; ++i)
        home += "<a href=\"" + page(i) + "\">x</a>";
    server.route("/", {.body = home});
}

TEST(ConcurrentPageSource, BodiesAnsweredOutOfOrderOrAskedOutOfOrderGoToTheirOwnPages) {
    HttpServer server;
    for (int i = 0; i < 12; ++i) // the first asked for answers last
        server.route(page(i), {.body = "b" + std::to_string(i), .delayMs = (12 - i) * 8});
    server.route("/stall", {.body = "half", .length = 100, .then = HttpResponse::Then::Hold});
    const auto body = [&](ConcurrentPageSource& source, const std::string& path) {
        return source.FetchPage(server.url(path));
    };
    std::atomic<bool> cancel{false};
    ConcurrentPageSource source;
    source.beginCrawl(cancel);
    for (int i = 0; i < 12; ++i)
        source.expect(server.url(page(i)));
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(body(source, page(i)), "b" + std::to_string(i));
    source.endCrawl();
    EXPECT_EQ(source.transfersStarted(), 12u);
    EXPECT_EQ(server.requests().size(), 12u);

    EXPECT_EQ(body(source, page(4)), "b4"); // outside a crawl
    source.beginCrawl(cancel);
    for (int i : {0, 1, 2, 1}) // the same page announced twice is fetched twice
        source.expect(server.url(page(i)));
    EXPECT_EQ(body(source, page(3)), "b3"); // never announced
    EXPECT_EQ(body(source, page(1)), "b1"); // gives up page 0
    EXPECT_EQ(body(source, page(0)), "b0");
    EXPECT_EQ(body(source, page(2)), "b2");
    EXPECT_EQ(body(source, page(1)), "b1");
    source.forgetExpected();
    EXPECT_EQ(body(source, page(2)), "b2");
    source.endCrawl();

    // A stalled page is "NIL" after the stall limit while the others go on.
    TransferOptions options = pageFetchOptions();
    options.stallLimit = 300ms;
    ConcurrentPageSource stalling(options);
    stalling.beginCrawl(cancel);
    stalling.expect(server.url("/stall"));
    for (int i = 0; i < 4; ++i)
        stalling.expect(server.url(page(i)));
    const auto started = Clock::now();
    EXPECT_EQ(body(stalling, "/stall"), "NIL");
    EXPECT_GE(Clock::now() - started, 250ms);
    EXPECT_LT(Clock::now() - started, 3s);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(body(stalling, page(i)), "b" + std::to_string(i));
    stalling.endCrawl();
}

TEST(ConcurrentPageSource, CancelAbandonsEveryTransferInFlightAtOnce) {
    // Pages that send their head and a little of their body, then hold the connection.
    HttpServer server;
    serveHome(server, 20);
    server.fallback([](const HttpRequest&) {
        return HttpResponse{.body = "<title>", .length = 1000000, .then = HttpResponse::Then::Hold};
    });
    ConcurrentPageSource source;
    test::CrawlRig rig(source);
    std::thread crawl([&] { rig.run(CrawlMode::StartSlowCrawl, {server.base(), "x", "", ""}); });
    ASSERT_TRUE(waitFor([&] { return server.heldOpen() == 6; }, 10s));
    const auto cancelled = Clock::now();
    rig.engine.requestCancel();
    crawl.join();
    EXPECT_LT(Clock::now() - cancelled, 500ms);
    EXPECT_TRUE(waitFor([&] { return server.heldOpen() == 0; }, 500ms)) << server.heldOpen();
    EXPECT_EQ(rig.engine.outcome(), CrawlOutcome::Cancelled);
    EXPECT_EQ(rig.resultPage(), "<none>");
    EXPECT_EQ(server.requests().size(), 7u); // no page started after the cancel
}

// Six pages at a time on six kept-alive connections, until Stop from another thread,
// which shows the pages taken so far.
TEST(ConcurrentPageSource, SixConnectionsAndStopFromAnotherThread) {
    HttpServer server;
    serveHome(server, 200);
    std::atomic<int> active{0}, most{0};
    server.fallback([&](const HttpRequest&) {
        const int now = ++active;
        for (int seen = most.load(); now > seen && !most.compare_exchange_weak(seen, now);) {
        }
        std::this_thread::sleep_for(40ms); // long enough for six to meet even on a busy machine
        --active;
        return HttpResponse{.body = "<title>Leaf</title> red"};
    });
    ConcurrentPageSource source;
    test::CrawlRig rig(source);
    std::thread stopper([&] {
        waitFor([&] { return server.requests().size() > 30; }, 10s);
        rig.engine.requestStop();
    });
    rig.run(CrawlMode::StartFastCrawl, {server.base(), "red", "", ""});
    stopper.join();
    const std::size_t count = rig.engine.linkList().count;
    EXPECT_GT(count, 10u);
    EXPECT_LT(count, 201u);
    EXPECT_EQ(rig.engine.outcome(), CrawlOutcome::ResultPage);
    // Every page taken is in the result, and no entry past them kept an address.
    EXPECT_NE(rig.resultPage().find("About " + std::to_string(count - 1) + " results"),
              std::string::npos);
    EXPECT_EQ(rig.engine.linkList()[count].address, "");
    EXPECT_EQ(most.load(), 6);
    EXPECT_LE(server.connectionCount(), 6);
    EXPECT_EQ(source.mostInFlight(), 6u);
}

} // namespace
} // namespace trov
