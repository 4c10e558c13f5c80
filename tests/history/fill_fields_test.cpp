#include "compose/engines.h"
#include "history/fill_fields.h"
#include "tests/support/fake_main_window.h"

#include <gtest/gtest.h>
#include <set>

using namespace trov;
using test::FakeMainWindow;

namespace {

// Date, Time, Search, Exact, Exclude, Site, File type, Browser, Interface, Contry,
// Language, Time period, Search engine, Type.
HistoryRecord record(std::array<const char*, 14> texts) {
    HistoryRecord r;
    for (std::size_t i = 0; i < texts.size(); ++i)
        r.set(i, texts[i]);
    return r;
}

HistoryRecord collapsedRecord(const char* words, const char* engine, const char* kind) {
    return record({"05.12.2026", "10:00:00", words, "- - -", "- - -", "- - -", "- - -", "Default",
                   "- - -", "- - -", "- - -", "- - -", engine, kind});
}

HistoryRecord expandedRecord(const char* engine, const char* period, const char* kind) {
    return record({"05.12.2026", "10:00:00", "cats", "big cat", "- - -", "example.com",
                   "Adobe PDF (.pdf)", "firefox esr", "German", "Austria", "German", period, engine,
                   kind});
}

// What the form shows: engine kind, the four texts, then the six lists' selected texts.
std::vector<std::string> shown(const FormModel& m) {
    std::vector<std::string> out{m.kindText()};
    for (TextField f : test::kTextFields)
        out.push_back(m.text(f));
    for (ListField l : test::kListFields)
        out.push_back(m.selectedText(l));
    return out;
}

void addBrowsers(FakeMainWindow& main) {
    main.model.setBrowsers({{"Chromium", ""}, {"Firefox ESR", ""}, {"Firefox (Default)", ""}});
    main.model.select(ListField::Browser, 2);
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
    const struct {
        const char* text;
        const char* path;
    } cases[] = {
        {"Links ( Crawl from a file /home/ana/links.csv )", "/home/ana/links.csv"},
        {"Links ( Crawl from a file /home/ana/my list.txt )", "/home/ana/my list.txt"},
        {"Links ( Crawl from a file /data/a.csv.d/b.txt )", "/data/a.csv.d/b.txt"},
        {"Links ( Crawl from a file /tmp/x.csv ) /tmp/y.txt )", "/tmp/x.csv ) /tmp/y.txt"},
        {"Links ( Crawl from a file C:\\Users\\ana\\links.csv )", "C:\\Users\\ana\\links.csv"},
        {"Links ( Crawl from a file relative.csv )", ""},
        {"Links ( Crawl from a file  )", ""},
        {"Links ( Crawl from a file /tmp/links.csv)", ""},
        {"Links ( Extract all links from a website )", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(crawlListPathOf(c.text), c.path) << c.text;
}

TEST(RecordExpansion, AnyAdvancedValueOrAPeriodWantsTheExpandedForm) {
    HistoryRecord r = collapsedRecord("cats", "Google", "All");
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

TEST(FillFields, ExpandedAndCollapsedRecordsFillTheForm) {
    FakeMainWindow main;
    addBrowsers(main);
    FillFields(expandedRecord("Bing", "Past week", "Translate"), true, main);
    EXPECT_EQ(main.model.engine(), SearchEngine::Bing);
    // The browser matches ignoring ASCII case.
    EXPECT_EQ(
        shown(main.model),
        (std::vector<std::string>{"Translate", "cats", "big cat", "", "example.com", "Firefox ESR",
                                  "German", "Austria", "German", "Adobe PDF (.pdf)", "Past week"}));
    EXPECT_EQ(main.model.fragments().fileExtension, "pdf");
    EXPECT_EQ(main.model.fragments().countryParam, "&cr=countryAT");
    EXPECT_TRUE(main.expanded);
    EXPECT_EQ(main.calls.back(), "sync");
    EXPECT_EQ(main.suggestionsHidden, 1); // every fill closes the drop-down

    FakeMainWindow fresh;
    addBrowsers(fresh);
    fresh.model.setText(TextField::Exact, "old");
    FillFields(collapsedRecord("dogs", "DuckDuckGo", "Maps"), true, fresh);
    EXPECT_FALSE(fresh.expanded);
    EXPECT_EQ(fresh.model.engine(), SearchEngine::DuckDuckGo);
    EXPECT_EQ(fresh.model.ownerText(), "dogs"); // the last field filled serves the suggestions
    // No browser entry is "Default": the selection stays.
    EXPECT_EQ(shown(fresh.model),
              (std::vector<std::string>{"Maps", "dogs", "", "", "", "Firefox (Default)", "- - -",
                                        "- - -", "- - -", "- - -", "Any time"}));
    HistoryRecord r = collapsedRecord("- - -", "Google", "All");
    r.set(kColExact, "big cat");
    FillFields(r, true, fresh);
    EXPECT_EQ(fresh.model.suggestionOwner(), OwnerField::Exact);
}

TEST(FillFields, ABrowserOfDashesOrAnEmptyListFillsNoField) {
    FakeMainWindow main;
    FillFields(expandedRecord("Bing", "Past week", "All"), false, main);
    EXPECT_EQ(main.calls, std::vector<std::string>{"sync"});
    EXPECT_EQ(main.suggestionsHidden, 1);

    HistoryRecord r = expandedRecord("Bing", "Past week", "All");
    r.set(kColBrowser, "- - -");
    main.model.setText(TextField::Words, "kept");
    FillFields(r, true, main);
    EXPECT_EQ(main.model.text(TextField::Words), "kept");
    EXPECT_EQ(main.model.engine(), SearchEngine::Google);
    EXPECT_TRUE(main.expanded); // the record still wants the expanded form
    EXPECT_TRUE(main.selections.empty());

    FakeMainWindow other;
    r = collapsedRecord("x", "Bing", "All");
    r.set(kColBrowser, "- - -");
    r.set(kColPeriod, "Any time");
    FillFields(r, true, other);
    EXPECT_EQ(other.calls, std::vector<std::string>{"sync"});
}

TEST(FillFields, AnUnknownPeriodSelectsAnyTimeAndAnUnknownEngineTextPressesNoButton) {
    FakeMainWindow main;
    main.model.select(ListField::Period, 4);
    FillFields(expandedRecord("Google", "Past decade", "All"), true, main);
    EXPECT_EQ(main.model.selection(ListField::Period), 0);
    FillFields(expandedRecord("Ask", "past YEAR", "All"), true, main);
    EXPECT_EQ(main.model.selectedText(ListField::Period), "Past year");
    main.selections.clear();
    FillFields(collapsedRecord("w", "google", "All"), true, main); // engine names match exactly
    EXPECT_TRUE(main.selections.empty());
    EXPECT_EQ(main.model.engine(), SearchEngine::Ask);
}

TEST(FillEngines, EveryNamedEngineIsPressedWithItsKinds) {
    const struct {
        const char* text;
        SearchEngine engine;
        const char* kind;
        const char* expectKind;
    } cases[] = {{"Google", SearchEngine::Google, "Books", "Books"},
                 {"Bing", SearchEngine::Bing, "News", "News"},
                 {"DuckDuckGo", SearchEngine::DuckDuckGo, "Videos", "Videos"},
                 {"Wikipedia", SearchEngine::Wikipedia, "All", "All"},
                 {"Wolfram Alpha", SearchEngine::WolframAlpha, "Math", "Math"},
                 {"Ask", SearchEngine::Ask, "All", "All"},
                 {"Urban Dictionary", SearchEngine::UrbanDictionary, "All", "All"},
                 {"Swisscows", SearchEngine::Swisscows, "Music", "Music"},
                 {"Swisscows", SearchEngine::Swisscows, "music", "All"}, // kinds match exactly
                 {"Google", SearchEngine::Google, "Maps", "All"}};
    for (const auto& c : cases) {
        FakeMainWindow m;
        m.model.selectEngine(SearchEngine::Links);
        FillFields(collapsedRecord("w", c.text, c.kind), true, m);
        EXPECT_EQ(m.model.engine(), c.engine) << c.text;
        EXPECT_EQ(m.model.kindText(), c.expectKind) << c.text;
        EXPECT_TRUE(m.called(FakeMainWindow::press(c.engine))) << c.text;
    }
}

TEST(FillLinks, RestoresTheCrawlModeWithoutOpeningTheMenu) {
    const struct {
        const char* engineText;
        bool allLinks, interLinks, crawlCsv;
        const char* loaded; // the list file loaded again, or null
    } cases[] = {{"Links ( Extract internal links from a website )", false, true, false, nullptr},
                 {"Links ( Extract all links from a website )", true, false, false, nullptr},
                 {"Links (  )", false, false, false, nullptr},
                 {"Links ( Crawl all internal pages )", false, false, false, nullptr},
                 {"Links ( Crawl from a file /home/ana/site links.csv )", false, false, true,
                  "/home/ana/site links.csv"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.engineText);
        FakeMainWindow main;
        main.model.setCrawlMark(CrawlMode::StartSlowCrawl, true);
        main.model.setSiteReadOnly(true);
        FillFields(collapsedRecord("w", c.engineText, "---"), true, main);
        const CrawlMarks& marks = main.model.crawlMarks();
        EXPECT_EQ(main.model.engine(), SearchEngine::Links);
        ASSERT_EQ(main.selections.size(), 1u);
        EXPECT_FALSE(main.selections[0].popUpCrawlerMenu);
        EXPECT_EQ(marks[CrawlMode::AllLinks], c.allLinks);
        EXPECT_EQ(marks[CrawlMode::interLinks], c.interLinks);
        EXPECT_EQ(marks[CrawlMode::CrawlCSV], c.crawlCsv);
        EXPECT_FALSE(marks[CrawlMode::StartSlowCrawl] || marks[CrawlMode::StartFastCrawl]);
        EXPECT_EQ(main.model.crawlRequestMode(), kNoCrawlRequest);
        EXPECT_EQ(main.model.kindIndex(), 0);
        EXPECT_EQ(main.model.kindBoxColour(), 0xA0A0A0u);
        // Only a list crawl's site field stays read-only (the list load sets it).
        EXPECT_EQ(main.model.siteReadOnly(), c.loaded != nullptr);
        EXPECT_EQ(main.loadedLists,
                  c.loaded ? std::vector<std::string>{c.loaded} : std::vector<std::string>{});
        // The list is loaded after the Links press, which would clear its mode.
        EXPECT_TRUE(!c.loaded ||
                    main.calls[main.calls.size() - 2] == std::string("load ") + c.loaded);
        // Links always wants the expanded form, but not from a collapsed record's
        // "Default" browser: only the Links press itself expanded the window.
        EXPECT_EQ(std::count(main.calls.begin(), main.calls.end(), "expand"), 1);
    }
    FakeMainWindow main; // an expanded Links record expands a collapsed window once
    FillFields(expandedRecord("Links ( Extract all links from a website )", "- - -", "---"), true,
               main);
    EXPECT_EQ(std::count(main.calls.begin(), main.calls.end(), "expand"), 1);
    EXPECT_TRUE(main.model.crawlMarks()[CrawlMode::AllLinks]);
}

TEST(OwnEngineRecord, RunsItsEngineAgainWhileItExists) {
    HistoryRecord r = expandedRecord("Code search", "- - -", "- - -");
    r.set(kColSearch, "cs borrow checker");
    OwnEngineWindow main;
    EXPECT_EQ(FillFields(r, true, main), FillResult::RanOwnEngine);
    EXPECT_EQ(main.model.text(TextField::Site), "example.com");
    EXPECT_EQ(main.calls.back(), "run Code search with cs borrow checker");
    EXPECT_TRUE(main.called("expand")); // made expanded, it runs expanded again

    r.set(kColEngine, "Old wiki");
    OwnEngineWindow other;
    EXPECT_EQ(FillFields(r, true, other), FillResult::NoSuchOwnEngine);
    EXPECT_EQ(other.model.text(TextField::Words), "cs borrow checker");
    EXPECT_EQ(missingEngineMessage("Old wiki"),
              "The search engine \"Old wiki\" no longer exists.\r\n\r\nThe search fields were "
              "filled; nothing was run.");
    OwnEngineWindow noFile; // without engines.cfg a record fills as it always did
    noFile.hasFile = false;
    EXPECT_EQ(FillFields(r, true, noFile), FillResult::Filled);
    EXPECT_FALSE(noFile.called("run Old wiki with cs borrow checker"));
    for (const char* builtIn : {"Google", "Links (  )", "Links ( Crawl main page subpages )", ""})
        EXPECT_FALSE(namesOwnEngine(builtIn)) << builtIn;
}

} // namespace
