#include "history/record_maker.h"

#include <gtest/gtest.h>

using namespace trov;

namespace {

struct FixedClock : HistoryClock {
    std::string dateText() const override { return "05.12.2026"; }
    std::string timeText() const override { return "14:03:59"; }
};

// Every field set, in the order they are declared.
SearchSnapshot filled(SearchEngine engine, bool expanded) {
    return {engine,    "cats",    "black cat", "dog",    "example.org", "Adobe PDF (.pdf)",
            "Firefox", "English", "Germany",   "German", "Past week",   "All",
            expanded,  {},        "",     ""};
}

std::vector<std::string> texts(const HistoryRecord& r) {
    const HistoryRecord::Texts all = r.texts();
    return {all.begin(), all.end()};
}

} // namespace

// Collapsed: "Default" browser and absent fields; expanded but hidden: the text fields
// only; expanded and visible: every entry, a list without selection as "".
TEST(RecordMaker, TheFieldsTheFormShowed) {
    using V = std::vector<std::string>;
    SearchSnapshot bare = filled(SearchEngine::Swisscows, true);
    bare.words.clear();
    bare.interfaceLanguage.clear();
    const struct {
        SearchSnapshot search;
        bool visible;
        V texts;
    } cases[] = {
        {filled(SearchEngine::Google, false),
         true,
         {"05.12.2026", "14:03:59", "cats", "- - -", "- - -", "- - -", "- - -", "Default", "- - -",
          "- - -", "- - -", "- - -", "Google", "All"}},
        {filled(SearchEngine::DuckDuckGo, true),
         false,
         {"05.12.2026", "14:03:59", "cats", "black cat", "dog", "example.org", "- - -", "- - -",
          "- - -", "- - -", "- - -", "Past week", "DuckDuckGo", "All"}},
        {bare,
         true,
         {"05.12.2026", "14:03:59", "- - -", "black cat", "dog", "example.org", "Adobe PDF (.pdf)",
          "Firefox", "", "Germany", "German", "Past week", "Swisscows", "All"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(texts(makeHistoryRecord(c.search, c.visible, FixedClock{})), c.texts);
}

TEST(RecordMaker, TimePeriodOnlyForTheEnginesThatUseIt) {
    const struct {
        SearchEngine engine;
        const char* column;
        const char* period;
    } cases[] = {
        {SearchEngine::Google, "Google", "Past week"},
        {SearchEngine::Bing, "Bing", "- - -"},
        {SearchEngine::DuckDuckGo, "DuckDuckGo", "Past week"},
        {SearchEngine::Ask, "Ask", "- - -"},
        {SearchEngine::Swisscows, "Swisscows", "Past week"},
        {SearchEngine::WolframAlpha, "Wolfram Alpha", "- - -"},
        {SearchEngine::Wikipedia, "Wikipedia", "- - -"},
        {SearchEngine::UrbanDictionary, "Urban Dictionary", "- - -"},
        {SearchEngine::Links, "Links (  )", "- - -"},
    };
    for (const auto& c : cases) {
        const HistoryRecord r = makeHistoryRecord(filled(c.engine, true), true, FixedClock{});
        EXPECT_EQ(r[kColEngine], c.column);
        EXPECT_EQ(r[kColPeriod], c.period) << c.column;
    }
}

TEST(RecordMaker, CrawlModeTextsInTheirTestOrder) {
    const std::string file = "/home/u/links.csv";
    const struct {
        std::vector<CrawlMode> checked;
        std::string text;
    } cases[] = {
        {{}, "Links (  )"},
        {{CrawlMode::StartSlowCrawl}, "Links ( Crawl all internal pages )"},
        {{CrawlMode::StartFastCrawl}, "Links ( Crawl main page subpages )"},
        {{CrawlMode::AllLinks}, "Links ( Extract all links from a website )"},
        {{CrawlMode::interLinks}, "Links ( Extract internal links from a website )"},
        {{CrawlMode::CrawlCSV}, "Links ( Crawl from a file /home/u/links.csv )"},
        // a later item in the test order wins
        {{CrawlMode::StartFastCrawl, CrawlMode::StartSlowCrawl},
         "Links ( Crawl main page subpages )"},
        {{CrawlMode::interLinks, CrawlMode::AllLinks},
         "Links ( Extract internal links from a website )"},
        {{CrawlMode::CrawlCSV, CrawlMode::StartSlowCrawl},
         "Links ( Crawl from a file /home/u/links.csv )"},
    };
    for (const auto& c : cases) {
        SearchSnapshot s = filled(SearchEngine::Links, false);
        s.crawlListFile = file;
        for (CrawlMode m : c.checked)
            s.crawlMarks.set(m, true);
        EXPECT_EQ(makeHistoryRecord(s, true, FixedClock{})[kColEngine], c.text);
    }
}
