// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/engines.h"
#include "history/fill_fields.h"
#include "history/record_maker.h"
#include "tests/support/fake_main_window.h"
#include "tests/support/history_rows.h"

#include <gtest/gtest.h>
#include <set>

using namespace trov;
using test::FakeMainWindow;

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

// Records as stored: from Search on, then the engine and the kind.
HistoryRecord collapsed(const std::string& words, const std::string& engine, const char* kind) {
    return test::joinedRow("d|t|" + words +
                           "|- - -|- - -|- - -|- - -|Default|- - -|- - -|- - -|- - -|" + engine +
                           "|" + kind);
}
HistoryRecord expanded(const std::string& engine, const std::string& period, const char* kind) {
    return test::joinedRow(
        "d|t|cats|big cat|- - -|example.com|Adobe PDF (.pdf)|firefox esr|German|Austria|German|" +
        period + "|" + engine + "|" + kind);
}

// What the form shows: engine kind, the four texts, then the six lists' selected texts.
std::string shown(const FormModel& m) {
    std::string out = m.kindText();
    for (TextField f : test::kTextFields)
        out += "|" + m.text(f);
    for (ListField l : test::kListFields)
        out += "|" + m.selectedText(l);
    return out;
}

std::string calls(const FakeMainWindow& main) {
    std::string out;
    for (const std::string& call : main.calls)
        out += call + ",";
    return out;
}

// A main window that knows one own engine, "Code search".
struct OwnEngineWindow : FakeMainWindow {
    bool runOwnEngine(const std::string& name) override {
        calls.push_back("run " + name + " with " + model.text(TextField::Words));
        return name == "Code search";
    }
    bool hasOwnEnginesFile() const override { return hasFile; }
    bool hasFile = true;
};

TEST(CrawlListPath, TakesThePathOfTheListFile) {
    const char* const cases[][2] = {{"/home/ana/links.csv )", "/home/ana/links.csv"},
                                    {"/home/ana/my list.txt )", "/home/ana/my list.txt"},
                                    {"/data/a.csv.d/b.txt )", "/data/a.csv.d/b.txt"},
                                    {"/tmp/x.csv ) /tmp/y.txt )", "/tmp/x.csv ) /tmp/y.txt"},
                                    {"relative.csv )", ""},
                                    {" )", ""},
                                    {"C:\\Users\\ana\\links.csv )", "C:\\Users\\ana\\links.csv"},
                                    {"/tmp/links.csv)", ""}};
    for (const auto& [text, path] : cases)
        EXPECT_EQ(crawlListPathOf(std::string("Links ( Crawl from a file ") + text), path) << text;
    EXPECT_EQ(crawlListPathOf("Links ( Extract all links from a website )"), "");
}

TEST(RecordExpansion, AnyAdvancedValueOrAPeriodWantsTheExpandedForm) {
    HistoryRecord r = collapsed("cats", "Google", "All");
    r.set(kColPeriod, "Any time");
    EXPECT_FALSE(recordWantsExpansion(r));
    // Every column but the date and the time: only the advanced ones ask for it.
    const std::set<std::size_t> advanced = {kColExact,     kColExclude, kColSite,     kColFileType,
                                            kColInterface, kColCountry, kColLanguage, kColPeriod};
    for (std::size_t c = kColSearch; c < kHistoryColumnCount; ++c) {
        HistoryRecord changed = r;
        changed.set(c, "x");
        EXPECT_EQ(recordWantsExpansion(changed), advanced.count(c) == 1) << c;
    }
}

// Each record fills a window that shows "kept" in Words, the "(Default)" browser and the
// fifth period, with Google chosen.
TEST(FillFields, RecordsFillTheForm) { // kinds and periods match exactly, periods ignoring case
    using E = SearchEngine;
    const auto press = [](E e, const char* then = "sync,") {
        return FakeMainWindow::press(e) + "," + then;
    };
    const char* const x = "expand,sync,";
    const std::string kept = "All|kept||||Firefox (Default)|- - -|- - -|- - -|- - -|Past month";
    const std::string w = "|w||||Firefox (Default)|- - -|- - -|- - -|- - -|Any time";
    const std::string cats = "|cats|big cat||example.com|Firefox ESR|German|Austria|German|Adobe "
                             "PDF (.pdf)|"; // the browser matches ignoring ASCII case
    HistoryRecord dashes = expanded("Bing", "Past week", "All");
    dashes.set(kColBrowser, "- - -");
    const struct {
        HistoryRecord record;
        bool listHasRows;
        std::string shown, calls;
    } cases[] = {
        {expanded("Bing", "Past week", "Translate"), true, "Translate" + cats + "Past week",
         press(E::Bing, x)},
        // No browser entry is "Default": the selection stays.
        {collapsed("dogs", "DuckDuckGo", "Maps"), true,
         "Maps|dogs||||Firefox (Default)|- - -|- - -|- - -|- - -|Any time", press(E::DuckDuckGo)},
        {dashes, true, kept, "expand,sync,"}, // the record still wants the expanded form
        {test::joinedRow("d|t|x|- - -|- - -|- - -|- - -|- - -|- - -|- - -|- - -|Any time|Bing|All"),
         true, kept, "sync,"},
        {expanded("Bing", "Past week", "All"), false, kept, "sync,"},
        {expanded("Google", "Past decade", "All"), true, "All" + cats + "Any time",
         press(E::Google, x)},
        {expanded("Ask", "past YEAR", "All"), true, "All" + cats + "Past year", press(E::Ask, x)},
        {collapsed("w", "google", "All"), true, "All" + w, "sync,"}, // engine names match exactly
        {collapsed("w", "Google", "Books"), true, "Books" + w, press(E::Google)},
        {collapsed("w", "Swisscows", "music"), true, "All" + w, press(E::Swisscows)},
        {collapsed("w", "Google", "Maps"), true, "All" + w, press(E::Google)},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        FakeMainWindow main;
        main.model.setBrowsers({{"Chromium", ""}, {"Firefox ESR", ""}, {"Firefox (Default)", ""}});
        main.model.select(ListField::Browser, 2);
        main.model.setText(TextField::Words, "kept");
        main.model.select(ListField::Period, 4);
        FillFields(cases[i].record, cases[i].listHasRows, main);
        EXPECT_EQ(shown(main.model), cases[i].shown) << i;
        EXPECT_EQ(calls(main), cases[i].calls) << i;
        EXPECT_EQ(main.suggestionsHidden, 1) << i; // every fill closes the drop-down
        const auto& fragments = main.model.fragments();
        EXPECT_EQ(i ? "" : fragments.fileExtension + fragments.countryParam,
                  i ? "" : "pdf&cr=countryAT");
    }
}

// The last field filled serves the suggestions, as if typed.
TEST(FillFields, TheLastFieldFilledServesTheSuggestions) {
    FakeMainWindow main;
    main.model.setText(TextField::Exact, "old");
    FillFields(collapsed("dogs", "Google", "All"), true, main);
    EXPECT_EQ(main.model.ownerText(), "dogs");
    HistoryRecord r = collapsed("- - -", "Google", "All");
    r.set(kColExact, "big cat");
    FillFields(r, true, main);
    EXPECT_EQ(main.model.suggestionOwner(), OwnerField::Exact);
}

// The Links texts in their test order (a later item wins), and the crawl mode a fill of
// them restores without opening the menu; a list crawl loads its file again.
TEST(LinksRecord, CrawlModeTextsAndTheirFill) {
    using enum CrawlMode;
    const std::string file = "/home/ana/site links.csv", fromFile = "Crawl from a file " + file;
    const struct {
        std::vector<CrawlMode> checked;
        std::string text;     // within "Links ( ... )"
        bool all, inter, csv; // restored by a fill
    } cases[] = {
        {{}, "", false, false, false},
        {{StartSlowCrawl}, "Crawl all internal pages", false, false, false},
        {{StartFastCrawl}, "Crawl main page subpages", false, false, false},
        {{AllLinks}, "Extract all links from a website", true, false, false},
        {{interLinks}, "Extract internal links from a website", false, true, false},
        {{CrawlCSV}, fromFile, false, false, true},
        {{StartFastCrawl, StartSlowCrawl}, "Crawl main page subpages", false, false, false},
        {{interLinks, AllLinks}, "Extract internal links from a website", false, true, false},
        {{CrawlCSV, StartSlowCrawl}, fromFile, false, false, true}};
    const std::string press = FakeMainWindow::press(SearchEngine::Links);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        SearchSnapshot s = filled(SearchEngine::Links, false);
        s.crawlListFile = file;
        for (CrawlMode m : c.checked)
            s.crawlMarks.set(m, true);
        const HistoryRecord r = makeHistoryRecord(s, true, FixedClock{});
        EXPECT_EQ(r[kColEngine], "Links ( " + c.text + " )");
        FakeMainWindow main;
        main.model.setCrawlMark(StartSlowCrawl, true);
        main.model.setSiteReadOnly(true);
        FillFields(r, true, main);
        // The list is loaded once the form shows the record (its warning beside the fields)
        // and after the Links press, which would clear its mode. Only the press expands the
        // window: a collapsed record's "Default" browser does not.
        EXPECT_EQ(calls(main), press + ",expand,sync," + (c.csv ? "load " + file + "," : ""));
        EXPECT_FALSE(main.selections.at(0).popUpCrawlerMenu);
        const CrawlMarks& m = main.model.crawlMarks();
        // Only a list crawl's site field stays read-only (the list load sets it).
        EXPECT_EQ(std::tuple(m[AllLinks], m[interLinks], m[CrawlCSV],
                             m[StartSlowCrawl] || m[StartFastCrawl], main.model.siteReadOnly()),
                  std::tuple(c.all, c.inter, c.csv, false, c.csv));
        EXPECT_EQ(std::tuple(main.model.engine(), main.model.crawlRequestMode(),
                             main.model.kindIndex(), main.model.kindBoxColour()),
                  std::tuple(SearchEngine::Links, kNoCrawlRequest, 0, 0xA0A0A0u));
    }
    FakeMainWindow main; // an expanded Links record expands a collapsed window once
    FillFields(expanded("Links ( Extract all links from a website )", "- - -", "---"), true, main);
    EXPECT_EQ(calls(main), press + ",expand,sync,");
    EXPECT_TRUE(main.model.crawlMarks()[AllLinks]);
}

TEST(OwnEngineRecord, RunsItsEngineAgainWhileItExists) {
    HistoryRecord r = expanded("", "- - -", "- - -");
    using enum FillResult;
    // Without engines.cfg a record fills as it always did.
    for (const auto& [engine, hasFile, result] :
         {std::tuple{"Code search", true, RanOwnEngine},
          std::tuple{"Old wiki", true, NoSuchOwnEngine}, std::tuple{"Old wiki", false, Filled}}) {
        r.set(kColEngine, engine);
        OwnEngineWindow main;
        main.hasFile = hasFile;
        EXPECT_EQ(FillFields(r, true, main), result);
        // The fields are filled first; made expanded, it runs expanded again.
        EXPECT_EQ(calls(main),
                  "expand,sync," + (hasFile ? "run " + std::string(engine) + " with cats," : ""));
        EXPECT_EQ(main.model.text(TextField::Site), "example.com");
    }
    EXPECT_EQ(missingEngineMessage("Old wiki"),
              "The search engine \"Old wiki\" no longer exists.\r\n\r\nThe search fields were "
              "filled; nothing was run.");
    for (const char* builtIn : {"Google", "Links (  )", "Links ( Crawl main page subpages )", ""})
        EXPECT_FALSE(namesOwnEngine(builtIn)) << builtIn;
}

// Collapsed: "Default" browser and absent fields; expanded but hidden: the text fields
// only; expanded and visible: every entry, a list without selection as "".
TEST(RecordMaker, TheFieldsTheFormShowed) { // an own engine's period and kind are absent
    SearchSnapshot bare = filled(SearchEngine::Swisscows, true),
                   own = filled(SearchEngine::Google, true);
    bare.words.clear();
    bare.interfaceLanguage.clear();
    own.ownEngine = "Code search";
    const std::string d4 = "- - -|- - -|- - -|- - -", set = "black cat|dog|example.org|";
    const std::tuple<SearchSnapshot, bool, std::string> cases[] = {
        {filled(SearchEngine::Google, false), true,
         "cats|" + d4 + "|Default|" + d4 + "|Google|All"},
        {filled(SearchEngine::DuckDuckGo, true), false,
         "cats|" + set + "- - -|" + d4 + "|Past week|DuckDuckGo|All"},
        {bare, true,
         "- - -|" + set + "Adobe PDF (.pdf)|Firefox||Germany|German|Past week|Swisscows|All"},
        {own, true,
         "cats|" + set +
             "Adobe PDF (.pdf)|Firefox|English|Germany|German|- - -|Code search|- - -"}};
    for (const auto& [snapshot, visible, texts] : cases)
        EXPECT_EQ(makeHistoryRecord(snapshot, visible, FixedClock{}),
                  test::joinedRow("05.12.2026|14:03:59|" + texts));
}

// A time period only for the engines that use it; each engine's record presses it again.
TEST(RecordMaker, TimePeriodOnlyForTheEnginesThatUseIt) {
    using enum SearchEngine;
    const std::tuple<SearchEngine, std::string_view, std::string_view> cases[] = {
        {Google, "Google", "Past week"},         {Bing, "Bing", "- - -"},
        {DuckDuckGo, "DuckDuckGo", "Past week"}, {Ask, "Ask", "- - -"},
        {Swisscows, "Swisscows", "Past week"},   {WolframAlpha, "Wolfram Alpha", "- - -"},
        {Wikipedia, "Wikipedia", "- - -"},       {UrbanDictionary, "Urban Dictionary", "- - -"},
        {Links, "Links (  )", "- - -"}};
    for (const auto& [engine, column, period] : cases) {
        const HistoryRecord r = makeHistoryRecord(filled(engine, true), true, FixedClock{});
        EXPECT_EQ(std::pair(r[kColEngine], r[kColPeriod]), std::pair(column, period));
        test::FakeMainWindow main;
        main.model.selectEngine(engine == Links ? Google : Links);
        FillFields(r, true, main);
        EXPECT_EQ(main.model.engine(), engine) << column;
    }
}

} // namespace
