// Every crawl mode on the fixture site (whose whole outcome is kept in data/<case>.txt, the
// site's address written "$BASE") and on a generated one, through the sequential source,
// the concurrent one and a concurrent one fetching a single page ahead: all three agree.

#include "crawler/concurrent_page_source.h"
#include "crawler/curl_page_source.h"
#include "tests/crawler/crawl_rig.h"
#include "tests/crawler/generated_site.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <thread>

namespace trov {
namespace {

using test::HttpServer;

enum class Site { Fixture, Generated, MarkupHeavy };

struct Row {
    const char* name;
    Site site;
    CrawlMode mode;
    std::size_t leastEntries = 0; // a generated crawl that found nothing would agree too
    const char* stopAt = "";      // Stop pressed when the counter starts with this
    bool cancel = false;          // Cancel instead of Stop
    const char* words = "red car";
    const char* exact = "";
    const char* excluded = "bike";
    const char* page = ""; // the start page, below the site's address
};

std::string withBase(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

std::string crawlWith(PageSource& source, const Row& k, const HttpServer& server) {
    test::CrawlRig rig(source);
    if (*k.stopAt)
        rig.progress.onCounter = [&](const std::string& counter) {
            if (counter.starts_with(k.stopAt))
                k.cancel ? rig.engine.requestCancel() : rig.engine.requestStop();
        };
    std::string list;
    if (k.mode == CrawlMode::CrawlCSV)
        list = k.site == Site::Fixture
                   ? withBase(
                         readWholeFile(TROV_SOURCE_DIR "/tests/crawler/data/list.csv").value_or(""),
                         "$BASE", server.base())
                   : test::generatedLinkList(server);
    rig.run(k.mode, {server.url(k.page), k.words, k.exact, k.excluded}, list);
    EXPECT_GE(rig.engine.linkList().count, k.leastEntries);
    return rig.story();
}

class Crawls : public ::testing::TestWithParam<Row> {};

TEST_P(Crawls, SequentialAndConcurrentGiveTheSameResult) {
    const Row& k = GetParam();
    HttpServer server;
    if (k.site == Site::Fixture)
        test::serveFixtureSite(server);
    else
        test::serveGeneratedSite(server, {.markupHeavy = k.site == Site::MarkupHeavy});
    CurlPageSource sequentialSource;
    const std::string sequential = crawlWith(sequentialSource, k, server);
    for (const auto& r : server.requests())
        EXPECT_EQ(r.headers.at("host"), server.base().substr(7)) << "never another host";
    ConcurrentPageSource concurrentSource;
    EXPECT_EQ(crawlWith(concurrentSource, k, server), sequential);
    EXPECT_LE(concurrentSource.mostInFlight(), ConcurrentPageSource::kWindow);
    ConcurrentPageSource narrow(pageFetchOptions(), 1);
    EXPECT_EQ(crawlWith(narrow, k, server), sequential);
    // The site crawl takes a page's text from its expansion, never asking for it again.
    if (k.mode == CrawlMode::StartSlowCrawl && !*k.stopAt) {
        const std::string page = k.site == Site::Fixture ? "/deep/two.html" : "/g/p17.html";
        EXPECT_EQ(std::ranges::count_if(server.requests(),
                                        [&](const auto& r) { return r.target == page; }),
                  3);
    }

    if (k.site != Site::Fixture)
        return;
    const std::string golden =
        TROV_SOURCE_DIR "/tests/crawler/data/" + std::string(k.name) + ".txt";
    const std::string expected = withBase(sequential, server.base(), "$BASE");
    if (std::getenv("TROV_WRITE_GOLDEN"))
        writeFileAtomically(golden, expected);
    EXPECT_EQ(expected, readWholeFile(golden).value_or("<no " + golden + ">"));
}

constexpr auto F = Site::Fixture, G = Site::Generated;
using enum CrawlMode;

const Row kRows[] = {
    {"Subpages", F, StartFastCrawl, 0, "", false, "Red car"},
    {"NoMatch", F, StartFastCrawl, 0, "", false, "deeper"},
    {"ExactPhrase", F, StartFastCrawl, 0, "", false, "", "RED", ""},
    {"ExcludedWord", F, StartFastCrawl, 0, "", false, "red", "", "old"},
    {"SubpagesWithoutLinks", F, StartFastCrawl, 0, "", false, "nothing", "", "", "/bare.html"},
    {"Site", F, StartSlowCrawl},
    {"AllLinks", F, AllLinks},
    {"InternalLinks", F, interLinks},
    {"NoLinksFound", F, interLinks, 0, "", false, "", "", "", "/bare.html"},
    {"List", F, CrawlCSV, 0, "", false, "red"},
    {"ListWithoutWords", F, CrawlCSV, 0, "", false, ""},
    {"StoppedSubpages", F, StartFastCrawl, 0, "Found 4 items", false, "red"},
    {"StoppedInternalLinks", F, interLinks, 0, "Found 4 items"},
    {"CancelledSubpages", F, StartFastCrawl, 0, "Found 3 items", true, "red"},
    {"CancelledInternalLinks", F, interLinks, 0, "Found 3 items", true},
    {"GeneratedSubpages", G, StartFastCrawl, 40},
    {"GeneratedSite", G, StartSlowCrawl, 120},
    {"GeneratedAllLinks", G, AllLinks, 120},
    {"GeneratedInternalLinks", G, interLinks, 120},
    {"GeneratedList", G, CrawlCSV, 60},
    {"MarkupHeavySite", Site::MarkupHeavy, StartSlowCrawl, 120},
    // Stopped at the same point of each crawl, the partial results agree as well.
    {"StoppedGeneratedSubpages", G, StartFastCrawl, 12, "Found 12 items"},
    {"StoppedSiteExpansion", G, StartSlowCrawl, 60, "Found 60 items"},
    {"StoppedSiteFetchPhase", G, StartSlowCrawl, 120, "Processed 30 of"},
    {"StoppedGeneratedInternalLinks", G, interLinks, 50, "Found 50 items"},
    {"StoppedList", G, CrawlCSV, 60, "Processed 9 of"},
};

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

TEST(Crawl, TheTableCanBeReadWhileACrawlRuns) {
    HttpServer server;
    test::serveGeneratedSite(server, {.maxDelayMs = 0});
    ConcurrentPageSource source;
    test::CrawlRig rig(source);
    std::atomic<bool> done{false};
    std::thread crawl([&] {
        rig.run(CrawlMode::interLinks, {server.base(), "", "", ""});
        done.store(true);
    });
    std::size_t reads = 0;
    for (; !done.load(); ++reads)
        EXPECT_TRUE(
            rig.engine
                .readLinkList([&](const LinkList& list) { return linkExport(list, server.base()); })
                .starts_with(server.base() + "\r\n"));
    crawl.join();
    EXPECT_GT(reads, 0u);
    EXPECT_GE(rig.engine.linkList().count, 120u);
}

} // namespace
} // namespace trov
