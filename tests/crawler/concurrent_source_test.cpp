#include "crawler/concurrent_page_source.h"
#include "crawler/curl_page_source.h"
#include "tests/crawler/crawl_rig.h"
#include "tests/crawler/generated_site.h"

#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <map>
#include <poll.h>
#include <sys/socket.h>
#include <thread>

namespace trov {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using test::HttpRequest;
using test::HttpResponse;
using test::HttpServer;
using test::sendAll;

// Waits until pred holds or the time is up; answers whether it held.
template <class Pred> bool waitFor(Pred pred, std::chrono::milliseconds limit) {
    const auto end = Clock::now() + limit;
    while (!pred()) {
        if (Clock::now() > end)
            return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

std::string page(int i) {
    return "/p" + std::to_string(i) + ".html";
}

TEST(ConcurrentPageSource, BodiesAnsweredOutOfOrderOrAskedOutOfOrderGoToTheirOwnPages) {
    HttpServer server;
    for (int i = 0; i < 12; ++i) // the first asked for answers last
        server.route(page(i),
                     HttpResponse{200, "b" + std::to_string(i), "text/html", {}, (12 - i) * 8});
    std::atomic<bool> cancel{false};
    ConcurrentPageSource source;
    source.beginCrawl(cancel);
    for (int i = 0; i < 12; ++i)
        source.expect(server.url(page(i)));
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(source.FetchPage(server.url(page(i))), "b" + std::to_string(i));
    source.endCrawl();
    EXPECT_EQ(source.transfersStarted(), 12u);
    EXPECT_EQ(server.requests().size(), 12u);

    EXPECT_EQ(source.FetchPage(server.url(page(4))), "b4"); // outside a crawl
    source.beginCrawl(cancel);
    source.expect(server.url(page(0)));
    source.expect(server.url(page(1)));
    source.expect(server.url(page(2)));
    source.expect(server.url(page(1))); // the same page announced twice is fetched twice
    EXPECT_EQ(source.FetchPage(server.url(page(3))), "b3"); // never announced
    EXPECT_EQ(source.FetchPage(server.url(page(1))), "b1"); // gives up page 0
    EXPECT_EQ(source.FetchPage(server.url(page(0))), "b0");
    EXPECT_EQ(source.FetchPage(server.url(page(2))), "b2");
    EXPECT_EQ(source.FetchPage(server.url(page(1))), "b1");
    source.forgetExpected();
    EXPECT_EQ(source.FetchPage(server.url(page(2))), "b2");
    source.endCrawl();
}

TEST(ConcurrentPageSource, AStalledPageIsNilWhileTheOthersGoOn) {
    HttpServer server;
    server.rawRoute("/stall", [](int fd, const HttpRequest&, const std::atomic<bool>& stop) {
        sendAll(fd, "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nhalf");
        while (!stop.load())
            std::this_thread::sleep_for(10ms);
        return false;
    });
    for (int i = 0; i < 4; ++i)
        server.route(page(i), HttpResponse{200, "b" + std::to_string(i), "text/html", {}, 20});
    TransferOptions options = pageFetchOptions();
    options.stallLimit = 300ms;
    std::atomic<bool> cancel{false};
    ConcurrentPageSource source(options);
    source.beginCrawl(cancel);
    source.expect(server.url("/stall"));
    for (int i = 0; i < 4; ++i)
        source.expect(server.url(page(i)));
    const auto started = Clock::now();
    EXPECT_EQ(source.FetchPage(server.url("/stall")), "NIL");
    EXPECT_GE(Clock::now() - started, 250ms);
    EXPECT_LT(Clock::now() - started, 3s);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(source.FetchPage(server.url(page(i))), "b" + std::to_string(i));
    source.endCrawl();
    server.stop();
}

// A site whose start page links to pages that each take a while: lets the tests count
// the requests the server is answering at once and the connections it was given.
struct CountingSite {
    explicit CountingSite(int pages, int delayMs) {
        std::string home = "<title>Home</title>";
        for (int i = 0; i < pages; ++i)
            home += "<a href=\"" + page(i) + "\">x</a>";
        server.route("/", HttpResponse{200, home, "text/html", {}, 0});
        server.fallback([this, delayMs](const HttpRequest&) {
            const int now = ++active;
            int seen = most.load();
            while (now > seen && !most.compare_exchange_weak(seen, now)) {
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
            --active;
            return HttpResponse{200, "<title>Leaf</title> red", "text/html", {}, 0};
        });
    }
    HttpServer server;
    std::atomic<int> active{0};
    std::atomic<int> most{0};
};

// The requests a crawl in this mode sends to a fresh generated site, sorted.
std::vector<std::string> requestsOf(CrawlMode mode) {
    HttpServer server;
    test::serveGeneratedSite(server, {80, 2});
    ConcurrentPageSource source;
    test::CrawlRig rig(source);
    rig.run(mode, CrawlInputs{server.base(), "red", "", ""});
    std::vector<std::string> targets;
    // A page whose connection dies before it answers may be asked again on a fresh
    // connection (a kept-alive connection can always have been closed by the server).
    for (const auto& r : server.requests())
        if (r.target.rfind("/fail/", 0) != 0)
            targets.push_back(r.target);
    std::sort(targets.begin(), targets.end());
    return targets;
}

TEST(ConcurrentPageSource, TheSiteCrawlAsksForEachPageOnce) {
    // Extracting the internal links fetches every page once, to expand it; the site crawl
    // expands the same pages and takes their text from the same answers.
    const auto site = requestsOf(CrawlMode::StartSlowCrawl);
    EXPECT_EQ(site, requestsOf(CrawlMode::interLinks));
    EXPECT_EQ(std::count(site.begin(), site.end(), "/g/p17.html"), 1);
    EXPECT_GT(site.size(), 80u);
}

// Pages that send their head and a little of their body, then hold the connection open;
// each notes when the crawler closes its end.
struct HangingSite {
    explicit HangingSite(int pages) {
        std::string home = "<title>Home</title>";
        for (int i = 0; i < pages; ++i) {
            home += "<a href=\"" + page(i) + "\">x</a>";
            server.rawRoute(
                page(i), [this](int fd, const HttpRequest&, const std::atomic<bool>& stop) {
                    sendAll(fd, "HTTP/1.1 200 OK\r\nContent-Length: 1000000\r\n\r\n<title>");
                    ++open;
                    while (!stop.load()) {
                        pollfd p{fd, POLLIN, 0};
                        char c;
                        if (::poll(&p, 1, 5) > 0 && ::recv(fd, &c, 1, MSG_DONTWAIT) <= 0)
                            break; // the crawler let go
                    }
                    --open;
                    return false;
                });
        }
        server.route("/", HttpResponse{200, home, "text/html", {}, 0});
    }
    HttpServer server;
    std::atomic<int> open{0};
};

TEST(ConcurrentPageSource, CancelAbandonsEveryTransferInFlightAtOnce) {
    HangingSite site(20);
    ConcurrentPageSource source;
    test::CrawlRig rig(source);
    CrawlEngine& engine = rig.engine;
    std::thread crawl([&] {
        rig.run(CrawlMode::StartSlowCrawl, CrawlInputs{site.server.base(), "x", "", ""});
    });
    ASSERT_TRUE(waitFor([&] { return site.open.load() == 6; }, 10s));
    const auto cancelled = Clock::now();
    engine.requestCancel();
    crawl.join();
    EXPECT_LT(Clock::now() - cancelled, 500ms);
    EXPECT_TRUE(waitFor([&] { return site.open.load() == 0; }, 500ms)) << site.open.load();
    EXPECT_EQ(engine.outcome(), CrawlOutcome::Cancelled);
    EXPECT_EQ(readWholeFile(rig.dir.file("TrovCrawler.html")), std::nullopt);
    EXPECT_EQ(site.server.requests().size(), 7u); // no page started after the cancel
    site.server.stop();
}

// Six pages at a time on six kept-alive connections, until Stop from another thread,
// which shows the pages taken so far.
TEST(ConcurrentPageSource, SixConnectionsAndStopFromAnotherThread) {
    CountingSite site(200, 10);
    ConcurrentPageSource source;
    test::CrawlRig rig(source);
    CrawlEngine& engine = rig.engine;
    std::thread stopper([&] {
        waitFor([&] { return site.server.requests().size() > 30; }, 10s);
        engine.requestStop();
    });
    rig.run(CrawlMode::StartFastCrawl, CrawlInputs{site.server.base(), "red", "", ""});
    stopper.join();
    const std::size_t count = engine.linkList().count;
    EXPECT_GT(count, 10u);
    EXPECT_LT(count, 201u);
    EXPECT_EQ(engine.outcome(), CrawlOutcome::ResultPage);
    const auto pageText = readWholeFile(rig.dir.file("TrovCrawler.html"));
    ASSERT_TRUE(pageText);
    // Every page taken is in the result, and no entry past them kept an address.
    EXPECT_NE(pageText->find("About " + std::to_string(count - 1) + " results"), std::string::npos);
    EXPECT_EQ(engine.linkList()[count].address, "");
    EXPECT_EQ(site.most.load(), 6);
    EXPECT_LE(site.server.connectionCount(), 6);
    EXPECT_EQ(source.mostInFlight(), 6u);
}

} // namespace
} // namespace trov
