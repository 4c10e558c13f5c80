#include "crawler/concurrent_page_source.h"
#include "crawler/curl_page_source.h"
#include "tests/crawler/crawl_rig.h"
#include "tests/crawler/fixture_site.h"
#include "tests/crawler/generated_site.h"

#include <gtest/gtest.h>

namespace trov {
namespace {

using test::HttpServer;

// What one crawl left behind: every field of every table entry and the counters, the
// result page, both exports, the messages and the progress panel's whole story.
struct Outcome {
    std::string table;
    std::string resultPage;
    std::string linkExport;
    std::string dataExport;
    std::vector<std::string> messages;
    std::vector<std::string> progress;
    CrawlOutcome outcome = CrawlOutcome::None;
    std::size_t count = 0;
};

std::string tableOf(const LinkList& l) {
    std::string t = std::to_string(l.count) + "|" + std::to_string(l.searchRange) + "|" +
                    std::to_string(l.lastIndex) + "\n";
    for (std::size_t i = 0; i < l.size(); ++i) {
        const PageRecord& r = l[i];
        if (r.address.empty() && r.visited && r.title.empty() && r.text.empty() && r.match.empty())
            continue;
        t += std::to_string(i) + "\x1f" + r.address + "\x1f" + (r.visited ? "1" : "0") + "\x1f" +
             r.title + "\x1f" + r.text + "\x1f" + r.match + "\n";
    }
    return t;
}

struct Crawl {
    CrawlMode mode;
    CrawlInputs inputs;
    std::string list;                                 // the link-list file of a list crawl
    std::function<bool(const std::string&)> stopWhen; // a counter text that presses Stop
};

Outcome crawlWith(PageSource& source, const Crawl& c) {
    test::CrawlRig rig(source);
    if (c.stopWhen)
        rig.progress.onCounter = [&](const std::string& counter) {
            if (c.stopWhen(counter))
                rig.engine.requestStop();
        };
    rig.run(c.mode, c.inputs, c.list);
    const LinkList& list = rig.engine.linkList();
    return {tableOf(list),
            rig.resultPage(),
            linkExport(list, rig.site),
            dataExport(list, rig.site),
            rig.messages.texts(),
            rig.progress.events,
            rig.engine.outcome(),
            list.count};
}

void expectSame(const Outcome& sequential, const Outcome& concurrent) {
    EXPECT_EQ(sequential.table, concurrent.table);
    EXPECT_EQ(sequential.resultPage, concurrent.resultPage);
    EXPECT_EQ(sequential.linkExport, concurrent.linkExport);
    EXPECT_EQ(sequential.dataExport, concurrent.dataExport);
    EXPECT_EQ(sequential.messages, concurrent.messages);
    EXPECT_EQ(sequential.progress, concurrent.progress);
    EXPECT_EQ(sequential.outcome, concurrent.outcome);
}

std::function<bool(const std::string&)> counterIs(std::string text) {
    return [text](const std::string& c) { return c == text; };
}
std::function<bool(const std::string&)> counterStartsWith(std::string text) {
    return [text](const std::string& c) { return c.rfind(text, 0) == 0; };
}

enum class Site { Fixture, Generated, MarkupHeavy };

struct Case {
    const char* name;
    Site site;
    CrawlMode mode;
    std::function<bool(const std::string&)> stopWhen;
    std::size_t leastEntries; // guards against two empty crawls comparing equal
};

class SequentialAndConcurrent : public ::testing::TestWithParam<Case> {};

TEST_P(SequentialAndConcurrent, GiveByteIdenticalResults) {
    const Case& k = GetParam();
    HttpServer server;
    if (k.site == Site::Fixture)
        test::serveFixtureSite(server);
    else
        test::serveGeneratedSite(server, {.markupHeavy = k.site == Site::MarkupHeavy});
    Crawl crawl{k.mode, {server.base(), "red car", "", "bike"}, {}, k.stopWhen};
    if (k.mode == CrawlMode::CrawlCSV)
        crawl.list = k.site == Site::Fixture
                         ? server.base() + "\r\n" + server.url("/a.html") + "\r\n" +
                               server.url("/missing.html") + "\r\n" + server.url("/moved") +
                               "\r\nhttp://other.example/x.html\r\n" + server.url("/c.html") +
                               "\r\n" + server.url("/a.html") + "\r\n"
                         : test::generatedLinkList(server);

    CurlPageSource sequentialSource;
    const Outcome sequential = crawlWith(sequentialSource, crawl);
    ConcurrentPageSource concurrentSource;
    const Outcome concurrent = crawlWith(concurrentSource, crawl);
    expectSame(sequential, concurrent);
    EXPECT_GE(sequential.count, k.leastEntries);
    // How many pages overlap here depends on how fast the local server answers; the
    // source's own tests hold several transfers open on purpose to check fetching ahead.
    EXPECT_LE(concurrentSource.mostInFlight(), ConcurrentPageSource::kWindow);

    // A window of one page is still the same crawl.
    ConcurrentPageSource narrow(pageFetchOptions(), 1);
    expectSame(sequential, crawlWith(narrow, crawl));
}

const Case kCases[] = {
    {"FixtureSubpages", Site::Fixture, CrawlMode::StartFastCrawl, nullptr, 13},
    {"FixtureSite", Site::Fixture, CrawlMode::StartSlowCrawl, nullptr, 16},
    {"FixtureAllLinks", Site::Fixture, CrawlMode::AllLinks, nullptr, 17},
    {"FixtureInternalLinks", Site::Fixture, CrawlMode::interLinks, nullptr, 16},
    {"FixtureList", Site::Fixture, CrawlMode::CrawlCSV, nullptr, 6},
    {"GeneratedSubpages", Site::Generated, CrawlMode::StartFastCrawl, nullptr, 40},
    {"GeneratedSite", Site::Generated, CrawlMode::StartSlowCrawl, nullptr, 120},
    {"GeneratedAllLinks", Site::Generated, CrawlMode::AllLinks, nullptr, 120},
    {"GeneratedInternalLinks", Site::Generated, CrawlMode::interLinks, nullptr, 120},
    {"GeneratedList", Site::Generated, CrawlMode::CrawlCSV, nullptr, 60},
    {"MarkupHeavySite", Site::MarkupHeavy, CrawlMode::StartSlowCrawl, nullptr, 120},
    // Stop at the same point of each crawl: the partial results agree as well.
    {"StoppedSubpages", Site::Generated, CrawlMode::StartFastCrawl, counterIs("Found 12 items"),
     12},
    {"StoppedSiteExpansion", Site::Generated, CrawlMode::StartSlowCrawl,
     counterIs("Found 60 items"), 60},
    {"StoppedSiteFetchPhase", Site::Generated, CrawlMode::StartSlowCrawl,
     counterStartsWith("Processed 30 of"), 120},
    {"StoppedInternalLinks", Site::Generated, CrawlMode::interLinks, counterIs("Found 50 items"),
     50},
    {"StoppedList", Site::Generated, CrawlMode::CrawlCSV, counterStartsWith("Processed 9 of"), 60},
};

INSTANTIATE_TEST_SUITE_P(EveryMode, SequentialAndConcurrent, ::testing::ValuesIn(kCases),
                         [](const auto& param) { return std::string(param.param.name); });

} // namespace
} // namespace trov
