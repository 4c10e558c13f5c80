// Every crawl mode on the fixture site (whose whole outcome is kept in data/<row>.txt, the
// site's address written "$BASE") and on a generated one, through the sequential source,
// the concurrent one (its table read all along from another thread) and a concurrent one
// fetching a single page ahead: all three agree.

#include "common/text.h"
#include "crawler/concurrent_page_source.h"
#include "crawler/curl_page_source.h"
#include "tests/crawler/crawl_rig.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <thread>

namespace trov {
namespace {

using test::HttpServer;
using text::replaced;

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
                k.cancel ? rig.engine.requestCancel() : rig.engine.requestStop();
        };
    const char* listFile = k.fixture ? "list.csv" : "generated-list.csv";
    const std::string list = k.mode != CrawlMode::CrawlCSV
                                 ? ""
                                 : replaced(test::fixtureFile(listFile), "$BASE", server.base());
    std::atomic<bool> done{false};
    std::thread crawl([&] {
        rig.run(k.mode, {server.url(k.page), k.words, k.exact, k.excluded}, list);
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
    k.fixture ? test::serveFixtureSite(server) : test::serveGeneratedSite(server);
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
    if (k.mode == CrawlMode::StartSlowCrawl && !*k.stopAt) {
        const std::string page = k.fixture ? "/deep/two.html" : "/g/p17.html";
        EXPECT_EQ(std::ranges::count_if(server.requests(),
                                        [&](const auto& r) { return r.target == page; }),
                  3);
    }
    if (k.fixture)
        test::expectGolden(std::string(k.name) + ".txt",
                           replaced(sequential, server.base(), "$BASE"));
}

using enum CrawlMode;
constexpr bool F = true, G = false;

// clang-format off
const Row kRows[] = {
    {"Subpages", F, StartFastCrawl, 0, "", false, "Red car"}, {"Site", F, StartSlowCrawl},
    {"NoMatch", F, StartFastCrawl, 0, "", false, "deeper"},
    {"ExactPhrase", F, StartFastCrawl, 0, "", false, "", "RED", ""},
    {"ExcludedWord", F, StartFastCrawl, 0, "", false, "red", "", "old"},
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

TEST(Crawl, ATableFullOfLinksDropsTheRest) {
    HttpServer big;
    std::string body;
    for (int i = 0; i < 20100; ++i)
        body += "<a href=\"/p" + std::to_string(i) + "\">";
    big.route("/", {.body = body});
    CurlPageSource source;
    test::CrawlRig rig(source);
    rig.run(CrawlMode::AllLinks, {big.base(), "", "", ""});
    EXPECT_EQ(rig.engine.linkList().count, kLinkListSize);
    EXPECT_EQ(rig.engine.linkList()[kLinkListSize - 1].address, big.base() + "/p20005");
}

} // namespace
} // namespace trov
