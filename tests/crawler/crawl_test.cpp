// SPDX-License-Identifier: GPL-3.0-or-later
// Every crawl mode on the fixture site and a generated one, through the sequential source,
// the concurrent one (its table read meanwhile from another thread) and one fetching a page
// ahead: all leave the same table, result page, exports, boxes and panel.

#include "common/text.h"
#include "crawler/concurrent_page_source.h"
#include "crawler/curl_page_source.h"
#include "crawler/latest_progress.h"
#include "tests/crawler/crawl_rig.h"

#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <system_error>
#include <thread>
#include <utility>

namespace trov {
namespace {

using test::HttpResponse;
using test::HttpServer;
using text::replaced;

std::string pagePath(int i) {
    return "/g/p" + std::to_string(i) + ".html";
}

std::string pageBody(int i, int pages) {
    const std::string n = std::to_string(i);
    const auto link = [](const std::string& target) {
        return "<a href=\"" + target + "\">x</a>\n";
    };
    std::string b = "<html><head><title>Gen " + n + "</title></head><body>\n";
    b += i % 3 == 0 ? "red " : "blue ";
    b += i % 5 == 0 ? "car " : "bike ";
    b += "{braced red car} [bracketed car] page " + n + "\n";
    b += link(pagePath((i + 1) % pages));     // a chain that closes into a cycle
    b += link(pagePath((i * 7 + 3) % pages)); // cross links, many seen before
    b += link(pagePath((i + 1) % pages));     // the same link again
    b += link("g/p" + std::to_string((i + 2) % pages) + ".html");  // relative
    b += link(pagePath((i + 3) % pages) + "  ");                   // trailing blanks
    b += link("/G/P" + std::to_string((i + 4) % pages) + ".HTML"); // another spelling
    b += link("http://other.example/x" + std::to_string(i % 4) + ".html");
    b += link("/g//p" + std::to_string((i + 5) % pages) + ".html"); // a double slash
    // clang-format off
    const std::pair<int, std::string> failing[] = {{10, "/fail/" + n}, {11, "/redirect/" + n},
        {13, "/tofile/" + n}, {17, "/missing" + n + ".html"}, {19, "mailto:someone@example.org"},
        {19, "/g/p1.html#part"}};
    // clang-format on
    for (const auto& [every, target] : failing)
        if (i % every == 0)
            b += link(target);
    return b + "</body></html>\n";
}

// 120 pages in cycles with links in many spellings, failing pages, redirects, other hosts,
// and answers delayed so that parallel requests finish out of order;
// data/generated-home.html links to a third of them, data/generated-list.csv lists them
// with failing, foreign and removed entries.
void serveGeneratedSite(HttpServer& server) {
    constexpr int pages = 120, maxDelayMs = 12;
    server.route("/", {.body = test::fixtureFile("generated-home.html")});
    server.route("/g/", {.body = "<title>Folder</title> red car folder <a href=\"p9.html\"></a>",
                         .delayMs = 3});
    for (int i = 0; i < pages; i += 10)
        server.route("/fail/" + std::to_string(i), {.status = 0}); // a reset, no answer
    server.fallback([](const test::HttpRequest& r) {
        int i = 0;
        if (std::sscanf(r.path.c_str(), "/g/p%d.html", &i) == 1 && i >= 0 && i < pages &&
            r.path == pagePath(i))
            // Spread over the range so that later requests often finish first.
            return HttpResponse{.body = pageBody(i, pages), .delayMs = (i * 7) % (maxDelayMs + 1)};
        if (std::sscanf(r.path.c_str(), "/redirect/%d", &i) == 1)
            return HttpResponse::redirect(302, pagePath(i / 2));
        if (std::sscanf(r.path.c_str(), "/tofile/%d", &i) == 1)
            return HttpResponse::redirect(302, "file:///etc/hostname");
        return HttpResponse::notFound();
    });
}

struct Row {
    const char* name;
    bool fixture;
    CrawlMode mode;
    std::size_t leastEntries = 0; // a generated crawl that found nothing would agree too
    const char* stopAt = "";      // Stop pressed when the counter starts with this
    bool cancel = false;          // Cancel instead of Stop
    const char* words = "red car";
    const char* exact = "";
    const char* excluded = "bike";
    const char* page = ""; // the start page, below the site's address
};

std::string crawlWith(PageSource& source, const Row& k, const HttpServer& server,
                      bool readAlong = false) {
    test::CrawlRig rig(source);
    if (*k.stopAt)
        rig.progress.onCounter = [&](const std::string& counter) {
            if (counter.starts_with(k.stopAt))
                k.cancel ? rig.token.cancel() : rig.token.stop();
        };
    const std::string list = replaced(
        test::fixtureFile(k.fixture ? "list.csv" : "generated-list.csv"), "$BASE", server.base());
    std::atomic<bool> done{false};
    const CrawlInputs inputs =
        rig.prepare(k.mode, {server.url(k.page), k.words, k.exact, k.excluded},
                    k.mode == CrawlMode::CrawlCSV ? list : "");
    std::thread crawl([&] {
        rig.engine.run(k.mode, inputs, rig.token);
        done.store(true);
    });
    while (readAlong && !done.load()) {
        EXPECT_TRUE(rig.engine.readLinkList(
            [&](const LinkList& l) { return linkExport(l, rig.site).ends_with("\r\n"); }));
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    crawl.join();
    EXPECT_GE(rig.engine.linkList().count, k.leastEntries);
    return rig.story();
}

class Crawls : public ::testing::TestWithParam<Row> {};

TEST_P(Crawls, SequentialAndConcurrentGiveTheSameResult) {
    const Row& k = GetParam();
    HttpServer server;
    k.fixture ? test::serveFixtureSite(server) : serveGeneratedSite(server);
    CurlPageSource sequentialSource;
    const std::string sequential = crawlWith(sequentialSource, k, server);
    for (const auto& r : server.requests())
        EXPECT_EQ(r.headers.at("host"), server.base().substr(7)) << "never another host";
    ConcurrentPageSource concurrentSource;
    EXPECT_EQ(crawlWith(concurrentSource, k, server, true), sequential);
    EXPECT_LE(concurrentSource.mostInFlight(), ConcurrentPageSource::kWindow);
    ConcurrentPageSource narrow(pageFetchOptions(), 1);
    EXPECT_EQ(crawlWith(narrow, k, server), sequential);
    // The site crawl takes a page's text from its expansion, never asking for it again.
    const std::string once = k.fixture ? "/deep/two.html" : "/g/p17.html";
    if (k.mode == CrawlMode::StartSlowCrawl && !*k.stopAt) {
        EXPECT_EQ(std::ranges::count(server.requests(), once, &test::HttpRequest::target), 3);
    }
}

using enum CrawlMode;
constexpr bool F = true, G = false;

// clang-format off
const Row kRows[] = {
    {"Subpages", F, StartFastCrawl, 0, "", false, "Red car"}, {"Site", F, StartSlowCrawl},
    {"ExactPhrase", F, StartFastCrawl, 0, "", false, "", "RED", "old"},
    {"SubpagesWithoutLinks", F, StartFastCrawl, 0, "", false, "nothing", "", "", "/bare.html"},
    {"AllLinks", F, AllLinks}, {"InternalLinks", F, interLinks},
    {"NoLinksFound", F, interLinks, 0, "", false, "", "", "", "/bare.html"},
    {"List", F, CrawlCSV, 0, "", false, "red"}, {"ListWithoutWords", F, CrawlCSV, 0, "", false, ""},
    {"StoppedSubpages", F, StartFastCrawl, 0, "Found 4 items", false, "red"},
    {"StoppedInternalLinks", F, interLinks, 0, "Found 4 items"},
    {"CancelledSubpages", F, StartFastCrawl, 0, "Found 3 items", true, "red"},
    {"CancelledInternalLinks", F, interLinks, 0, "Found 3 items", true},
    {"GeneratedSubpages", G, StartFastCrawl, 40}, {"GeneratedSite", G, StartSlowCrawl, 120},
    {"GeneratedAllLinks", G, AllLinks, 120}, {"GeneratedInternalLinks", G, interLinks, 120},
    {"GeneratedList", G, CrawlCSV, 60},
    // Stopped at the same point of each crawl, the partial results agree as well.
    {"StoppedGeneratedSubpages", G, StartFastCrawl, 12, "Found 12 items"},
    {"StoppedSiteExpansion", G, StartSlowCrawl, 60, "Found 60 items"},
    {"StoppedSiteFetchPhase", G, StartSlowCrawl, 120, "Processed 30 of"},
    {"StoppedGeneratedInternalLinks", G, interLinks, 50, "Found 50 items"},
    {"StoppedList", G, CrawlCSV, 60, "Processed 9 of"}};
// clang-format on

INSTANTIATE_TEST_SUITE_P(EveryMode, Crawls, ::testing::ValuesIn(kRows),
                         [](const auto& row) { return std::string(row.param.name); });

// More links than the table holds, served from memory: fetching them all would take long.
struct FullSite : PageSource {
    void beginCrawl(const std::atomic<bool>&) override {}
    std::string FetchPage(const std::string& address) override {
        std::string body;
        for (int i = 0; address == "https://full.example" && i < 20100; ++i)
            body += "<a href=\"/p" + std::to_string(i) + "\">";
        return body;
    }
};

TEST(Crawl, ATableFullOfLinksDropsTheRest) {
    FullSite source;
    test::TempDir dir;
    test::RecordingMessages messages;
    CrawlProgress noPanel; // as trovctl crawls when it prints no progress
    CrawlEngine engine(source, dir.file("TrovCrawler.html"), messages, noPanel);
    StopToken token;
    engine.run(CrawlMode::AllLinks, {"https://full.example", "", "", ""}, token);
    EXPECT_EQ(engine.linkList().count, kLinkListSize);
    EXPECT_EQ(engine.linkList()[kLinkListSize - 1].address, "https://full.example/p20005");
}

// A page of 16 MB, or one link; a start that may fail (no thread, no memory).
struct BigPage : PageSource {
    void beginCrawl(const std::atomic<bool>&) override {
        if (std::exchange(failStart, false))
            throw std::system_error(std::make_error_code(std::errc::not_enough_memory));
    }
    std::string FetchPage(const std::string& address) override {
        handedOver.store(true);
        return address.ends_with(".example") ? page : "";
    }
    std::string page = "<a href=/p>";
    bool failStart = false;
    std::atomic<bool> handedOver{false};
};

// A crawl whose start fails leaves the table free for readers and the next crawl.
TEST(Crawl, AFailedStartLeavesTheTableFree) {
    BigPage source;
    source.failStart = true;
    test::CrawlRig rig(source);
    const CrawlInputs inputs{"https://e.example", "", "", ""};
    EXPECT_THROW(rig.engine.run(CrawlMode::AllLinks, inputs, rig.token), std::system_error);
    ASSERT_NO_THROW(rig.engine.run(CrawlMode::AllLinks, inputs, rig.token));
    EXPECT_EQ(rig.engine.readLinkList([](const LinkList& l) { return l[0].address; }),
              "https://e.example/p");
}

// Progress from a crawl's thread reaches the panel merged: one wake until the panel takes,
// the latest value of each field, the place before the address it shortens.
TEST(Crawl, ProgressReachesThePanelMerged) {
    std::atomic<int> wakes{0};
    LatestProgress latest([&] { ++wakes; });
    test::RecordingProgress panel;
    std::atomic<bool> done{false};
    std::thread crawl([&] {
        for (long i = 1; i <= 20000; ++i)
            latest.barPosition(i), latest.counterText(std::to_string(i));
        done.store(true);
    });
    int takes = 0; // the last after the crawl's last report
    for (bool last = false; !last; ++takes)
        last = done.load(), latest.takeInto(panel);
    crawl.join();
    latest.currentAddress("http://e/x");
    latest.counterText("a"), latest.counterText("b");
    latest.placeAddress(8, 19, 370);
    latest.takeInto(panel);
    EXPECT_LE(wakes.load(), takes + 2);
    const std::vector<std::string> last(panel.events.end() - 3, panel.events.end());
    EXPECT_EQ(last,
              (std::vector<std::string>{"place 8 19 370", "counter b", "address http://e/x"}));
}

// A list crawl whose job was cancelled before it began fetches nothing.
TEST(Crawl, AListCrawlKeepsItsJobsCancel) {
    BigPage source;
    test::CrawlRig rig(source);
    rig.token.cancel();
    rig.run(CrawlMode::CrawlCSV, {"", "red", "", ""}, "e.example\r\nhttps://e.example/a\r\n");
    EXPECT_EQ(rig.engine.outcome(), CrawlOutcome::Cancelled);
    EXPECT_FALSE(source.handedOver.load());
}

// The table is free for readers all through the work on a big page and the search of its
// text for the result page; a Cancel from another thread ends that work at once.
TEST(Crawl, ABigPageHoldsUpNoReaderAndEndsOnCancel) {
    using Clock = std::chrono::steady_clock;
    BigPage source;
    while (source.page.size() < (16 << 20))
        source.page += "<p>A red car {on a road} [and a note] by the sea.</p>\n";
    const CrawlInputs inputs{"https://big.example", "red", "", ""};
    test::CrawlRig rig(source), cancelled(source);
    std::atomic<bool> done{false};
    const auto started = Clock::now();
    std::thread crawl([&] { rig.run(CrawlMode::StartFastCrawl, inputs), done.store(true); });
    Clock::duration longestRead{};
    for (auto before = Clock::now(); !done.load(); before = Clock::now()) {
        rig.engine.readLinkList([](const LinkList& l) { return l.count; });
        longestRead = std::max(longestRead, Clock::now() - before);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    crawl.join();
    const auto whole = Clock::now() - started;
    EXPECT_NE(rig.resultPage().find("About 1 result<br>"), std::string::npos);
    EXPECT_LT(longestRead, whole / 4);

    source.handedOver.store(false);
    Clock::time_point cancelledAt;
    std::thread cancel([&] {
        while (!source.handedOver.load())
            std::this_thread::yield();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        cancelledAt = Clock::now();
        cancelled.token.cancel();
    });
    cancelled.run(CrawlMode::StartFastCrawl, inputs);
    cancel.join();
    EXPECT_EQ(cancelled.engine.outcome(), CrawlOutcome::Cancelled);
    EXPECT_LT(Clock::now() - cancelledAt, whole / 4);
}

} // namespace
} // namespace trov
