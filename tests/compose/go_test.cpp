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

TEST_F(GoFixture, GoogleCollapsedOpensWithTheDefaultHandlerExpandedWithTheBrowser) {
    model.setBrowsers({{"Firefox", "firefox %u"}});
    model.select(ListField::Browser, 0);
    model.setText(TextField::Words, "red car");
    model.setKindIndex(1);
    model.setSuggestionOwner(OwnerField::Words);
    const GoOutcome o = xiGOClick(model, services);
    EXPECT_EQ(o.status, GoStatus::Opened);
    EXPECT_TRUE(o.hideDropDown);
    // Expanded, the typed texts stay out of the address but not out of the stores.
    model.setExpanded(true);
    model.setKindIndex(0);
    model.setText(TextField::Words, "C++ & C#");
    xiGOClick(model, services);
    EXPECT_EQ(launcher.launches,
              (std::vector<L>{{"https://www.google.com/search?q=red car&tbm=isch", ""},
                              {"https://www.google.com/search?q=C%2B%2B+%26+C%23", "firefox %u"}}));
    ASSERT_EQ(history.rows.size(), 2u);
    EXPECT_EQ(history.rows[0].words, "red car");
    EXPECT_EQ(history.rows[0].kind, "Images");
    EXPECT_EQ(history.rows[1].words, "C++ & C#");
    EXPECT_EQ(suggestions.added, (std::vector<std::string>{"red car", "C++ & C#"}));
}

TEST_F(GoFixture, WhatGoFeedsTheHistoryAndTheSuggestions) {
    struct Case {
        const char* words;
        const char* site;
        OwnerField owner;
        bool history;
        std::size_t rows;
        std::vector<std::string> added;
    };
    const Case cases[] = {
        {" ", "", OwnerField::None, true, 1, {}},       // blanks are not empty
        {"\t", "", OwnerField::Words, true, 1, {"\t"}}, // a tab is not only spaces
        {"a", "   ", OwnerField::Site, false, 0, {}},   // history off, a blank owner
    };
    for (const Case& c : cases) {
        FormModel m;
        history.rows.clear();
        suggestions.added.clear();
        m.setText(TextField::Words, c.words);
        m.setText(TextField::Site, c.site);
        m.setSuggestionOwner(c.owner);
        m.setHistoryEnabled(c.history);
        EXPECT_EQ(xiGOClick(m, services).status, GoStatus::Opened) << c.words;
        EXPECT_EQ(history.rows.size(), c.rows) << c.words;
        EXPECT_EQ(suggestions.added, c.added) << c.words;
    }
    GoServices bare{messages, launcher}; // no ports at all
    EXPECT_EQ(xiGOClick(model, bare).status, GoStatus::Refused);
    model.setText(TextField::Words, "a");
    EXPECT_EQ(xiGOClick(model, bare).status, GoStatus::Opened);
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
    const CrawlInputs& in = o.links->inputs;
    EXPECT_EQ((std::vector{in.site, in.words, in.exactPhrase, in.excludedWords}),
              (std::vector<std::string>{"a.com", "w", "e", "x"}));
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

TEST_F(LinksFixture, EveryCheckedOperationRunsInMenuOrderThenTheResultOpens) {
    using M = CrawlMode;
    using R = LinksResult;
    struct Case {
        std::vector<M> marks; // in menu order, the order they run in
        bool expanded;
        std::string browser;
        bool cancelDuringRun;
        R result;
        const char* openedWith; // the result page's browser, or null when nothing opens
    };
    const Case cases[] = {
        {{M::StartFastCrawl}, true, "ff %u", false, R::ResultOpened, "ff %u"},
        // Collapsed, or no browser: the default handler.
        {{M::StartSlowCrawl}, false, "ff %u", false, R::ResultOpened, ""},
        {{M::StartSlowCrawl}, true, "", false, R::ResultOpened, ""},
        {{M::interLinks}, true, "ff %u", false, R::Extracted, nullptr},
        {{M::StartFastCrawl, M::CrawlCSV}, true, "ff %u", false, R::ResultOpened, "ff %u"},
        // A cancelled crawl opens nothing and stops the operations after it.
        {{M::StartFastCrawl, M::CrawlCSV}, true, "ff %u", true, R::Cancelled, nullptr}};
    for (const Case& c : cases) {
        LinksJob j = job();
        for (CrawlMode m : c.marks)
            j.marks.set(m, true);
        j.expanded = c.expanded;
        j.browserCommand = c.browser;
        test::RecordingCrawl crawl;
        crawl.cancelled = true; // left over from the Go that stopped the previous crawl
        crawl.cancelDuringRun = c.cancelDuringRun;
        launcher.launches.clear();
        EXPECT_EQ(runLinksJob(j, reach, crawl, messages, launcher), c.result);
        std::vector<CrawlMode> runs;
        for (const auto& [mode, inputs] : crawl.runs) {
            runs.push_back(mode);
            EXPECT_EQ(inputs.site, "a.com");
        }
        EXPECT_EQ(runs, c.cancelDuringRun ? std::vector<M>(1, c.marks[0]) : c.marks);
        EXPECT_EQ(crawl.calls.front(), "reset");
        const std::vector<L> opened = {
            {"/data/Trov/TrovCrawler.html", c.openedWith ? c.openedWith : ""}};
        EXPECT_EQ(launcher.launches, c.openedWith ? opened : std::vector<L>());
    }
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
