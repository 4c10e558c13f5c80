#include "compose/form_model.h"
#include "compose/go.h"
#include "compose/own_engine_go.h"
#include "fakes.h"
#include "form_line.h"
#include "platform/launcher.h"

#include <gtest/gtest.h>

using namespace trov;
using V = std::vector<std::string>;
using L = platform::RecordingLauncher::Launch;

namespace {

const std::string kNothing =
    "There is nothing to search.\r\n\r\nPlease fill in at least one field.";
const std::string kNoSite = "There is nothing to search.\r\n\r\nPlease fill \"Search within a "
                            "site or domain field\".";
const std::string g = "https://www.google.com/search?q=";

// Go's ports, recording, around a form given as a line (form_line.h) that may also hold
// "firefox" (the browser box holds Firefox, selected), mark<MODE> (a crawl mode as trovctl
// names it), owner<FIELD> (the suggestion owner) and "no-history".
struct Go {
    test::RecordingMessages messages;
    test::RecordingHistory history;
    test::RecordingSuggestions suggestions;
    test::RecordingCrawl crawl;
    platform::RecordingLauncher launcher;
    GoServices services{messages, launcher};
    FormModel model{&crawl};

    explicit Go(const std::string& line = "google collapsed") {
        services.history = &history;
        services.suggestions = &suggestions;
        services.crawl = &crawl;
        services.dataFolder = "/data/Trov/";
        const test::FormLine form(line);
        if (form.flags.contains("firefox")) {
            model.setBrowsers({{"Firefox", "firefox %u"}});
            model.select(ListField::Browser, 0);
        }
        model.selectEngine(form.engine);
        model.setExpanded(form.flags.contains("expanded"));
        model.setKindIndex(form.kind());
        const std::array<std::string, 5> modes = {"subpages", "site", "all-links", "internal-links",
                                                  "list"};
        for (std::size_t i = 0; i < kCrawlModes.size(); ++i)
            model.setCrawlMark(kCrawlModes[i], form.text("mark") == modes[i]);
        const std::array<std::string, 5> fields = {"none", "words", "exact", "exclude", "site"};
        for (int i = 1; i < 5; ++i)
            model.setText(static_cast<TextField>(i - 1), form.text(fields[i]));
        if (form.fields.contains("owner"))
            model.setSuggestionOwner(
                static_cast<OwnerField>(test::indexOf(fields, form.text("owner"))));
        model.setHistoryEnabled(!form.flags.contains("no-history"));
        crawl.calls.clear();
    }
    GoOutcome go() { return xiGOClick(model, services); }
    V historyWords() const {
        V out;
        for (const SearchSnapshot& s : history.rows)
            out.push_back(s.words);
        return out;
    }
};

} // namespace

// The checks come after the running crawl is stopped and the link list emptied, and before
// anything is recorded; a blank counts as typed, a field of blanks suggests nothing.
TEST(Go, WhatEachFormOpensRecordsOrRefuses) {
    const V stopped = {"cancel", "clear"};
    const struct {
        std::string form;
        GoStatus status;
        std::vector<L> launches;
        V history, suggestions, crawl;
        std::string message = "";
    } rows[] = {
        // clang-format off
        {"google expanded exclude<x> site<a.com> owner<exclude>", GoStatus::Refused, {}, {}, {}, stopped, kNothing},
        {"google collapsed firefox words<red car> kind<Images> owner<words>", GoStatus::Opened,
         {{g + "red car&tbm=isch", ""}}, {"red car"}, {"red car"}, stopped},
        {"google expanded firefox words<C++ & C#> owner<words>", GoStatus::Opened,
         {{g + "C%2B%2B+%26+C%23", "firefox %u"}}, {"C++ & C#"}, {"C++ & C#"}, stopped},
        {"google collapsed words< > owner<none>", GoStatus::Opened, {{g + " ", ""}}, {" "}, {}, stopped},
        {"google collapsed words<\t> owner<words>", GoStatus::Opened, {{g + "\t", ""}}, {"\t"}, {"\t"}, stopped},
        {"google collapsed words<a> site<   > owner<site> no-history", GoStatus::Opened, {{g + "a", ""}}, {}, {}, stopped},
        {"links expanded words<w> mark<subpages>", GoStatus::Refused, {}, {}, {}, stopped, kNoSite},
        {"links expanded words<w> site<localhost> mark<subpages>", GoStatus::Refused, {}, {}, {}, stopped, kNoSite},
        {"links expanded site<a.com> mark<all-links>", GoStatus::LinksPending, {}, {""}, {"a.com"}, stopped},
        // The list crawl keeps the list loaded with its mode.
        {"links expanded mark<list>", GoStatus::LinksPending, {}, {""}, {}, {"cancel"}},
        // clang-format on
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.form);
        Go go(r.form);
        const GoOutcome o = go.go();
        EXPECT_EQ(o.status, r.status);
        EXPECT_TRUE(r.status != GoStatus::Opened || o.hideDropDown);
        EXPECT_EQ(go.launcher.launches, r.launches);
        EXPECT_EQ(go.historyWords(), r.history);
        EXPECT_EQ(go.suggestions.added, r.suggestions);
        EXPECT_EQ(go.crawl.calls, r.crawl);
        EXPECT_EQ(go.messages.texts(), r.message.empty() ? V{} : V{r.message});
        for (const auto& shown : go.messages.shown) {
            EXPECT_EQ(shown.icon, MessageIcon::Information);
            EXPECT_TRUE(shown.onTop);
        }
    }
    Go bare("google collapsed");
    GoServices none{bare.messages, bare.launcher}; // no ports at all
    EXPECT_EQ(xiGOClick(bare.model, none).status, GoStatus::Refused);
    bare.model.setText(TextField::Words, "a");
    EXPECT_EQ(xiGOClick(bare.model, none).status, GoStatus::Opened);
}

TEST(Go, LinksRecordsThenHandsBackAJob) {
    Go go("links expanded firefox words<w> exact<e> exclude<x> site<a.com> mark<site>");
    const GoOutcome o = go.go();
    ASSERT_EQ(o.status, GoStatus::LinksPending);
    ASSERT_TRUE(o.links);
    const CrawlInputs& in = o.links->inputs;
    EXPECT_EQ((V{in.site, in.words, in.exactPhrase, in.excludedWords, o.links->resultPage,
                 o.links->browserCommand}),
              (V{"a.com", "w", "e", "x", "/data/Trov/TrovCrawler.html", "firefox %u"}));
    EXPECT_EQ(go.historyWords(), V{"w"});
    EXPECT_TRUE(go.launcher.launches.empty());
}

TEST(Go, LinksJobRunsEveryCheckedOperationInMenuOrderThenOpensTheResult) {
    using M = CrawlMode;
    using R = LinksResult;
    const std::string page = "/data/Trov/TrovCrawler.html";
    const struct {
        std::vector<M> marks; // in menu order, the order they run in
        bool expanded;
        std::string browser;
        bool cancelDuringRun, reachable;
        R result;
        std::vector<L> opened;
    } cases[] = {
        // clang-format off
        {{M::StartFastCrawl}, true, "ff %u", false, true, R::ResultOpened, {{page, "ff %u"}}},
        // Collapsed, or no browser: the default handler.
        {{M::StartSlowCrawl}, false, "ff %u", false, true, R::ResultOpened, {{page, ""}}},
        {{M::StartSlowCrawl}, true, "", false, true, R::ResultOpened, {{page, ""}}},
        {{M::interLinks}, true, "ff %u", false, true, R::Extracted, {}},
        {{M::StartFastCrawl, M::CrawlCSV}, true, "ff %u", false, true, R::ResultOpened, {{page, "ff %u"}}},
        // A cancelled crawl opens nothing and stops the operations after it.
        {{M::StartFastCrawl, M::CrawlCSV}, true, "ff %u", true, true, R::Cancelled, {}},
        {{M::CrawlCSV}, true, "ff %u", false, false, R::Unreachable, {}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.result));
        Go go;
        test::FakeReachability reach;
        reach.answer = c.reachable;
        LinksJob j;
        j.inputs.site = "a.com";
        j.resultPage = page;
        for (CrawlMode m : c.marks)
            j.marks.set(m, true);
        j.expanded = c.expanded;
        j.browserCommand = c.browser;
        go.crawl.cancelled = true; // left over from the Go that stopped the previous crawl
        go.crawl.cancelDuringRun = c.cancelDuringRun;
        EXPECT_EQ(runLinksJob(j, reach, go.crawl, go.messages, go.launcher), c.result);
        EXPECT_EQ(reach.asked, V{"a.com"});
        std::vector<CrawlMode> runs;
        for (const auto& [mode, inputs] : go.crawl.runs) {
            runs.push_back(mode);
            EXPECT_EQ(inputs.site, "a.com");
        }
        EXPECT_EQ(runs, !c.reachable        ? std::vector<M>()
                        : c.cancelDuringRun ? std::vector<M>(1, c.marks[0])
                                            : c.marks);
        EXPECT_EQ(go.crawl.calls.empty(), !c.reachable);
        EXPECT_TRUE(!c.reachable || go.crawl.calls.front() == "reset");
        EXPECT_EQ(go.launcher.launches, c.opened);
        EXPECT_EQ(go.messages.texts(),
                  c.reachable ? V{}
                              : V{"Invalid request.\r\nMake sure you have entered a valid "
                                  "site/domain."});
        EXPECT_TRUE(c.reachable || (!go.messages.shown.empty() &&
                                    go.messages.shown[0].icon == MessageIcon::Error &&
                                    go.messages.shown[0].onTop));
    }
}

TEST(Go, OwnKeywordRunsTheEngineByTheRulesOfGo) {
    const OwnEngines engines = parseOwnEngines("[Code]\nKey=cs\nAddress=https://c/?q={query}\n");
    // The owner field serves.
    Go go("google collapsed firefox exact<e> words<cs borrow checker> owner<words>");
    EXPECT_EQ(goWithKeywords(go.model, engines, go.services).status, GoStatus::Opened);
    go.model.setExpanded(true);
    goWithKeywords(go.model, engines, go.services);
    EXPECT_EQ(go.launcher.launches,
              (std::vector<L>{{"https://c/?q=borrow+checker", ""},
                              {"https://c/?q=borrow+checker+%22e%22", "firefox %u"}}));
    EXPECT_EQ(go.history.rows[0].ownEngine, "Code");
    EXPECT_EQ(go.historyWords(), V(2, "cs borrow checker"));
    EXPECT_EQ(go.suggestions.added, V(2, "cs borrow checker"));
    EXPECT_EQ(go.crawl.calls, (V{"cancel", "clear", "cancel", "clear"}));
    // No words after the key, or Links pressed: no keyword.
    go.model.setText(TextField::Words, "cs");
    goWithKeywords(go.model, engines, go.services);
    EXPECT_EQ(go.launcher.launches.back().address, g + "cs+%22e%22");
    Go links("links expanded words<cs x> site<a.org>");
    EXPECT_EQ(goWithKeywords(links.model, engines, links.services).status, GoStatus::LinksPending);
    // Chosen from the menu the own engine runs whatever button is down.
    links.model.setText(TextField::Words, "");
    EXPECT_EQ(goOwnEngine(links.model, engines.engines[0], links.services).status,
              GoStatus::Refused);
    EXPECT_EQ(links.messages.texts(), V{kNothing});
}
