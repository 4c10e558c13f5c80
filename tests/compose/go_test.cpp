#include "compose/form_model.h"
#include "compose/go.h"
#include "compose/own_engine_go.h"
#include "fakes.h"
#include "platform/launcher.h"

#include <gtest/gtest.h>

using namespace trov;

namespace {

struct GoFixture : ::testing::Test {
    test::RecordingMessages messages;
    test::RecordingHistory history;
    test::RecordingSuggestions suggestions;
    test::RecordingCrawl crawl;
    platform::RecordingLauncher launcher;
    GoServices services{messages, launcher};
    FormModel model{&crawl};

    GoFixture() {
        services.history = &history;
        services.suggestions = &suggestions;
        services.crawl = &crawl;
        services.dataFolder = "/data/Trov/";
    }

    using L = platform::RecordingLauncher::Launch;
};

} // namespace

TEST_F(GoFixture, NothingToSearchRecordsNothing) {
    model.setText(TextField::Exclude, "x");
    model.setText(TextField::Site, "a.com");
    model.setSuggestionOwner(OwnerField::Exclude);
    const GoOutcome o = xiGOClick(model, services);
    EXPECT_EQ(o.status, GoStatus::Refused);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Information);
    EXPECT_TRUE(messages.shown[0].onTop);
    EXPECT_EQ(messages.shown[0].text,
              "There is nothing to search.\r\n\r\nPlease fill in at least one field.");
    EXPECT_TRUE(history.rows.empty());
    EXPECT_TRUE(suggestions.added.empty());
    EXPECT_TRUE(launcher.launches.empty());
    // The running crawl is still stopped and the list emptied before the checks.
    EXPECT_EQ(crawl.calls, (std::vector<std::string>{"cancel", "clear"}));
}

TEST_F(GoFixture, BlanksAreNotEmpty) {
    model.setText(TextField::Words, " ");
    EXPECT_EQ(xiGOClick(model, services).status, GoStatus::Opened);
}

TEST_F(GoFixture, GoogleCollapsedOpensWithTheDefaultHandlerEvenWithABrowser) {
    model.setBrowsers({{"Firefox", "firefox %u"}});
    model.select(ListField::Browser, 0);
    model.setText(TextField::Words, "red car");
    model.setKindIndex(1);
    model.setSuggestionOwner(OwnerField::Words);
    const GoOutcome o = xiGOClick(model, services);
    EXPECT_EQ(o.status, GoStatus::Opened);
    EXPECT_TRUE(o.hideDropDown);
    EXPECT_EQ(launcher.launches,
              (std::vector<L>{{"https://www.google.com/search?q=red car&tbm=isch", ""}}));
    ASSERT_EQ(history.rows.size(), 1u);
    EXPECT_EQ(history.rows[0].words, "red car");
    EXPECT_EQ(history.rows[0].kind, "Images");
    EXPECT_EQ(suggestions.added, std::vector<std::string>{"red car"});
}

TEST_F(GoFixture, ExpandedUsesTheChosenBrowserAndKeepsTypedTextsOutsideTheAddress) {
    model.setBrowsers({{"Firefox", "firefox %u"}});
    model.select(ListField::Browser, 0);
    model.setExpanded(true);
    model.setText(TextField::Words, "C++ & C#");
    model.setSuggestionOwner(OwnerField::Words);
    xiGOClick(model, services);
    EXPECT_EQ(launcher.launches,
              (std::vector<L>{{"https://www.google.com/search?q=C%2B%2B+%26+C%23", "firefox %u"}}));
    EXPECT_EQ(history.rows.at(0).words, "C++ & C#");
    EXPECT_EQ(suggestions.added, std::vector<std::string>{"C++ & C#"});
}

TEST_F(GoFixture, HistoryOffAndBlankOwnerFeedNothing) {
    model.setHistoryEnabled(false);
    model.setText(TextField::Words, "a");
    model.setText(TextField::Site, "   ");
    model.setSuggestionOwner(OwnerField::Site);
    EXPECT_EQ(xiGOClick(model, services).status, GoStatus::Opened);
    EXPECT_TRUE(history.rows.empty());
    EXPECT_TRUE(suggestions.added.empty());
}

TEST_F(GoFixture, OwnerOfTabsIsNotOnlySpaces) {
    model.setText(TextField::Words, "\t");
    model.setSuggestionOwner(OwnerField::Words);
    xiGOClick(model, services);
    EXPECT_EQ(suggestions.added, std::vector<std::string>{"\t"});
}

TEST_F(GoFixture, NoPortsIsFine) {
    GoServices bare{messages, launcher};
    model.setText(TextField::Words, "a");
    EXPECT_EQ(xiGOClick(model, bare).status, GoStatus::Opened);
    EXPECT_EQ(launcher.launches.size(), 1u);
}

TEST_F(GoFixture, LinksNeedsASiteWithADot) {
    model.selectEngine(SearchEngine::Links);
    model.setCrawlMark(CrawlMode::StartFastCrawl, true);
    model.setText(TextField::Words, "w");
    for (const char* site : {"", "localhost"}) {
        model.setText(TextField::Site, site);
        messages.shown.clear();
        EXPECT_EQ(xiGOClick(model, services).status, GoStatus::Refused);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, "There is nothing to search.\r\n\r\nPlease fill "
                                          "\"Search within a site or domain field\".");
        EXPECT_EQ(messages.shown[0].icon, MessageIcon::Information);
    }
    EXPECT_TRUE(history.rows.empty());
}

TEST_F(GoFixture, ExtractNeedsNoWordsAndListCrawlNoSite) {
    model.selectEngine(SearchEngine::Links);
    model.setCrawlMark(CrawlMode::AllLinks, true);
    model.setText(TextField::Site, "a.com");
    EXPECT_EQ(xiGOClick(model, services).status, GoStatus::LinksPending);

    model.setCrawlMark(CrawlMode::AllLinks, false);
    model.setCrawlMark(CrawlMode::CrawlCSV, true);
    model.setText(TextField::Site, "");
    crawl.calls.clear();
    EXPECT_EQ(xiGOClick(model, services).status, GoStatus::LinksPending);
    // The list crawl keeps the list loaded with its mode.
    EXPECT_EQ(crawl.calls, std::vector<std::string>{"cancel"});
}

TEST_F(GoFixture, LinksRecordsThenHandsBackAJob) {
    model.setBrowsers({{"Firefox", "firefox %u"}});
    model.select(ListField::Browser, 0);
    model.selectEngine(SearchEngine::Links);
    model.setExpanded(true);
    model.setCrawlMark(CrawlMode::StartSlowCrawl, true);
    model.setText(TextField::Words, "w");
    model.setText(TextField::Exact, "e");
    model.setText(TextField::Exclude, "x");
    model.setText(TextField::Site, "a.com");
    const GoOutcome o = xiGOClick(model, services);
    ASSERT_EQ(o.status, GoStatus::LinksPending);
    ASSERT_TRUE(o.links);
    EXPECT_EQ(o.links->inputs.site, "a.com");
    EXPECT_EQ(o.links->inputs.words, "w");
    EXPECT_EQ(o.links->inputs.exactPhrase, "e");
    EXPECT_EQ(o.links->inputs.excludedWords, "x");
    EXPECT_EQ(o.links->resultPage, "/data/Trov/TrovCrawler.html");
    EXPECT_EQ(o.links->browserCommand, "firefox %u");
    EXPECT_EQ(history.rows.size(), 1u);
    EXPECT_TRUE(launcher.launches.empty());
}

namespace {
struct LinksFixture : GoFixture {
    test::FakeReachability reach;
    LinksJob job() {
        LinksJob j;
        j.inputs.site = "a.com";
        j.resultPage = "/data/Trov/TrovCrawler.html";
        j.browserCommand = "firefox %u";
        j.expanded = true;
        return j;
    }
};
} // namespace

TEST_F(LinksFixture, UnreachableSiteShowsTheErrorBox) {
    reach.answer = false;
    LinksJob j = job();
    j.marks.set(CrawlMode::CrawlCSV, true);
    EXPECT_EQ(runLinksJob(j, reach, crawl, messages, launcher), LinksResult::Unreachable);
    EXPECT_EQ(reach.asked, std::vector<std::string>{"a.com"});
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Error);
    EXPECT_TRUE(messages.shown[0].onTop);
    EXPECT_EQ(messages.shown[0].text,
              "Invalid request.\r\nMake sure you have entered a valid site/domain.");
    EXPECT_TRUE(crawl.calls.empty());
    EXPECT_TRUE(launcher.launches.empty());
}

TEST_F(LinksFixture, CrawlThenOpenTheResultPage) {
    LinksJob j = job();
    j.marks.set(CrawlMode::StartFastCrawl, true);
    crawl.cancelled = true; // left over from the Go that stopped the previous crawl
    EXPECT_EQ(runLinksJob(j, reach, crawl, messages, launcher), LinksResult::ResultOpened);
    EXPECT_EQ(crawl.calls, (std::vector<std::string>{"reset", "run"}));
    EXPECT_EQ(crawl.runs.at(0).first, CrawlMode::StartFastCrawl);
    EXPECT_EQ(crawl.runs.at(0).second.site, "a.com");
    EXPECT_EQ(launcher.launches, (std::vector<L>{{"/data/Trov/TrovCrawler.html", "firefox %u"}}));
}

TEST_F(LinksFixture, CollapsedOrNoBrowserOpensWithTheDefaultHandler) {
    for (bool expanded : {false, true}) {
        LinksJob j = job();
        j.marks.set(CrawlMode::StartSlowCrawl, true);
        j.expanded = expanded;
        if (expanded)
            j.browserCommand.clear();
        launcher.launches.clear();
        runLinksJob(j, reach, crawl, messages, launcher);
        EXPECT_EQ(launcher.launches, (std::vector<L>{{"/data/Trov/TrovCrawler.html", ""}}));
    }
}

TEST_F(LinksFixture, ExtractOpensNothing) {
    LinksJob j = job();
    j.marks.set(CrawlMode::interLinks, true);
    EXPECT_EQ(runLinksJob(j, reach, crawl, messages, launcher), LinksResult::Extracted);
    EXPECT_EQ(crawl.runs.at(0).first, CrawlMode::interLinks);
    EXPECT_TRUE(launcher.launches.empty());
}

TEST_F(LinksFixture, CancelledCrawlOpensNothingAndStopsFurtherOperations) {
    LinksJob j = job();
    j.marks.set(CrawlMode::StartFastCrawl, true);
    j.marks.set(CrawlMode::CrawlCSV, true);
    crawl.cancelDuringRun = true;
    EXPECT_EQ(runLinksJob(j, reach, crawl, messages, launcher), LinksResult::Cancelled);
    EXPECT_EQ(crawl.runs.size(), 1u);
    EXPECT_TRUE(launcher.launches.empty());
}

TEST_F(LinksFixture, EveryCheckedOperationRunsInMenuOrder) {
    LinksJob j = job();
    j.marks.set(CrawlMode::CrawlCSV, true);
    j.marks.set(CrawlMode::StartFastCrawl, true);
    runLinksJob(j, reach, crawl, messages, launcher);
    ASSERT_EQ(crawl.runs.size(), 2u);
    EXPECT_EQ(crawl.runs[0].first, CrawlMode::StartFastCrawl);
    EXPECT_EQ(crawl.runs[1].first, CrawlMode::CrawlCSV);
}

TEST_F(GoFixture, OwnKeywordRunsTheEngineByTheRulesOfGo) {
    const OwnEngines engines = parseOwnEngines("[Code]\nKey=cs\nAddress=https://c/?q={query}\n");
    model.setBrowsers({{"Firefox", "firefox %u"}});
    model.select(ListField::Browser, 0);
    model.setText(TextField::Exact, "e");
    model.setText(TextField::Words, "cs borrow checker"); // the field changed last serves
    EXPECT_EQ(goWithKeywords(model, engines, services).status, GoStatus::Opened);
    model.setExpanded(true);
    goWithKeywords(model, engines, services);
    EXPECT_EQ(launcher.launches,
              (std::vector<L>{{"https://c/?q=borrow+checker", ""},
                              {"https://c/?q=borrow+checker+%22e%22", "firefox %u"}}));
    ASSERT_EQ(history.rows.size(), 2u);
    EXPECT_EQ(history.rows[0].ownEngine, "Code");
    EXPECT_EQ(history.rows[0].words, "cs borrow checker");
    EXPECT_EQ(suggestions.added, (std::vector<std::string>(2, "cs borrow checker")));
    EXPECT_EQ(crawl.calls, (std::vector<std::string>{"cancel", "clear", "cancel", "clear"}));
}

TEST_F(GoFixture, OwnNoKeywordWithLinksOrWithoutWordsAfterTheKey) {
    const OwnEngines engines = parseOwnEngines("[Code]\nKey=cs\nAddress=https://c/?q={query}\n");
    model.setText(TextField::Words, "cs");
    goWithKeywords(model, engines, services);
    EXPECT_EQ(launcher.launches.back().address, "https://www.google.com/search?q=cs");
    model.setText(TextField::Words, "cs x");
    model.setText(TextField::Site, "a.org");
    model.selectEngine(SearchEngine::Links);
    EXPECT_EQ(goWithKeywords(model, engines, services).status, GoStatus::LinksPending);
    // Chosen from the menu the own engine runs whatever button is down.
    model.setText(TextField::Words, "");
    EXPECT_EQ(goOwnEngine(model, engines.engines[0], services).status, GoStatus::Refused);
    EXPECT_EQ(messages.shown.back().text,
              "There is nothing to search.\r\n\r\nPlease fill in at least one field.");
}
