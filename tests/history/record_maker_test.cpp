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
            expanded,  {},        "",          ""};
}

// The record's texts from Search on, joined by "|", after the clock's date and time.
std::string made(const SearchSnapshot& s, bool visible = true) {
    const HistoryRecord r = makeHistoryRecord(s, visible, FixedClock{});
    std::string out;
    for (std::size_t c = 0; c < kHistoryColumnCount; ++c)
        out += std::string(r[c]) + (c + 1 < kHistoryColumnCount ? "|" : "");
    EXPECT_EQ(out.substr(0, 20), "05.12.2026|14:03:59|");
    return out.substr(20);
}

} // namespace

// Collapsed: "Default" browser and absent fields; expanded but hidden: the text fields
// only; expanded and visible: every entry, a list without selection as "".
TEST(RecordMaker, TheFieldsTheFormShowed) {
    const std::string dashes = "- - -|- - -|- - -|- - -";
    EXPECT_EQ(made(filled(SearchEngine::Google, false)),
              "cats|" + dashes + "|Default|" + dashes + "|Google|All");
    EXPECT_EQ(made(filled(SearchEngine::DuckDuckGo, true), false),
              "cats|black cat|dog|example.org|- - -|" + dashes + "|Past week|DuckDuckGo|All");
    SearchSnapshot bare = filled(SearchEngine::Swisscows, true);
    bare.words.clear();
    bare.interfaceLanguage.clear();
    EXPECT_EQ(made(bare), "- - -|black cat|dog|example.org|Adobe PDF (.pdf)|Firefox||Germany|"
                          "German|Past week|Swisscows|All");
    // An own engine is named; its period and kind are absent.
    SearchSnapshot own = filled(SearchEngine::Google, true);
    own.ownEngine = "Code search";
    EXPECT_EQ(made(own), "cats|black cat|dog|example.org|Adobe PDF (.pdf)|Firefox|English|"
                         "Germany|German|- - -|Code search|- - -");
}

TEST(RecordMaker, TimePeriodOnlyForTheEnginesThatUseIt) {
    using enum SearchEngine;
    const struct {
        SearchEngine engine;
        const char* column;
        const char* period;
    } cases[] = {
        {Google, "Google", "Past week"},         {Bing, "Bing", "- - -"},
        {DuckDuckGo, "DuckDuckGo", "Past week"}, {Ask, "Ask", "- - -"},
        {Swisscows, "Swisscows", "Past week"},   {WolframAlpha, "Wolfram Alpha", "- - -"},
        {Wikipedia, "Wikipedia", "- - -"},       {UrbanDictionary, "Urban Dictionary", "- - -"},
        {Links, "Links (  )", "- - -"}};
    for (const auto& c : cases) {
        const HistoryRecord r = makeHistoryRecord(filled(c.engine, true), true, FixedClock{});
        EXPECT_EQ(r[kColEngine], c.column);
        EXPECT_EQ(r[kColPeriod], c.period) << c.column;
    }
}

TEST(RecordMaker, CrawlModeTextsInTheirTestOrder) {
    using enum CrawlMode;
    const struct {
        std::vector<CrawlMode> checked;
        std::string text; // within "Links ( ... )"
    } cases[] = {
        {{}, ""},
        {{StartSlowCrawl}, "Crawl all internal pages"},
        {{StartFastCrawl}, "Crawl main page subpages"},
        {{AllLinks}, "Extract all links from a website"},
        {{interLinks}, "Extract internal links from a website"},
        {{CrawlCSV}, "Crawl from a file /home/u/links.csv"},
        // a later item in the test order wins
        {{StartFastCrawl, StartSlowCrawl}, "Crawl main page subpages"},
        {{interLinks, AllLinks}, "Extract internal links from a website"},
        {{CrawlCSV, StartSlowCrawl}, "Crawl from a file /home/u/links.csv"},
    };
    for (const auto& c : cases) {
        SearchSnapshot s = filled(SearchEngine::Links, false);
        s.crawlListFile = "/home/u/links.csv";
        for (CrawlMode m : c.checked)
            s.crawlMarks.set(m, true);
        EXPECT_EQ(makeHistoryRecord(s, true, FixedClock{})[kColEngine], "Links ( " + c.text + " )");
    }
}
