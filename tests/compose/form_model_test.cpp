#include "compose/form_model.h"
#include "fakes.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace trov;

TEST(FormModel, SelectingAListRunsItsChangeRule) {
    FormModel m;
    m.select(ListField::Language, 8);
    m.select(ListField::Country, 228);
    m.select(ListField::Interface, 3);
    m.select(ListField::FileType, 25);
    EXPECT_EQ(m.fragments().languageSubdomain, "TW.");
    EXPECT_EQ(m.fragments().countryParam, "&cr=countryUK");
    EXPECT_EQ(m.fragments().interfaceParam, "&hl=sm");
    EXPECT_EQ(m.fragments().fileExtension, "pl");
    EXPECT_EQ(m.selectedText(ListField::FileType), "Perl source code (pl)");
    // A stored index outside the list leaves no selection, which composes like "- - -".
    m.select(ListField::Country, 244);
    EXPECT_EQ(m.selection(ListField::Country), -1);
    EXPECT_EQ(m.selectedText(ListField::Country), "");
    EXPECT_EQ(m.fragments().countryParam, "");
    m.select(ListField::Period, 6);
    EXPECT_EQ(m.selection(ListField::Period), -1);
}

TEST(FormModel, BooksThenBingSelectsAll) {
    FormModel m;
    m.setKindIndex(5);
    EXPECT_EQ(m.kindText(), "Books");
    const EngineSelection s = m.selectEngine(SearchEngine::Bing);
    EXPECT_EQ(m.kindText(), "All");
    EXPECT_EQ(m.kinds().size(), 5u);
    EXPECT_EQ(s.markerLeft, 25);
    EXPECT_TRUE(s.hideProgressPanel);
    EXPECT_FALSE(s.popUpCrawlerMenu);
}

TEST(FormModel, KindChangeRecolours) {
    FormModel m;
    m.selectEngine(SearchEngine::Bing);
    EXPECT_FALSE(m.colours().isGrey(ColouredField::Country));
    m.setKindIndex(4);
    EXPECT_TRUE(m.colours().isGrey(ColouredField::Country));
    EXPECT_FALSE(m.colours().isGrey(ColouredField::Browser));
}

TEST(FormModel, LinksOpensTheMenuExpandsAndKeepsTheLinkList) {
    test::RecordingCrawl crawl;
    FormModel m(&crawl);
    m.setCrawlMark(CrawlMode::StartFastCrawl, true);
    const EngineSelection s = m.selectEngine(SearchEngine::Links);
    EXPECT_TRUE(s.popUpCrawlerMenu);
    EXPECT_TRUE(s.expand);
    EXPECT_FALSE(s.clearedLinkList);
    EXPECT_EQ(s.markerLeft, 200);
    EXPECT_TRUE(crawl.calls.empty());
    EXPECT_EQ(m.kindText(), "---");
    EXPECT_FALSE(m.kindBoxEnabled());
    EXPECT_EQ(m.kindBoxColour(), 0xA0A0A0u);
    EXPECT_FALSE(m.crawlMarks()[CrawlMode::StartFastCrawl]);

    m.setExpanded(true);
    EXPECT_FALSE(m.selectEngine(SearchEngine::Links).expand);
}

TEST(FormModel, OtherEnginesEmptyTheLinkListAndUncheckEverything) {
    test::RecordingCrawl crawl;
    FormModel m(&crawl);
    m.selectEngine(SearchEngine::Links);
    m.setCrawlMark(CrawlMode::AllLinks, true);
    m.setSiteReadOnly(true);
    // Pressing Links again keeps the extract mark, clears the crawl marks.
    m.setCrawlMark(CrawlMode::CrawlCSV, true);
    m.selectEngine(SearchEngine::Links);
    EXPECT_TRUE(m.crawlMarks()[CrawlMode::AllLinks]);
    EXPECT_FALSE(m.crawlMarks()[CrawlMode::CrawlCSV]);
    EXPECT_FALSE(m.siteReadOnly());
    EXPECT_TRUE(crawl.calls.empty());

    const EngineSelection s = m.selectEngine(SearchEngine::Ask);
    EXPECT_TRUE(s.clearedLinkList);
    EXPECT_EQ(crawl.calls, std::vector<std::string>{"clear"});
    EXPECT_EQ(m.crawlMarks(), CrawlMarks{});
    EXPECT_TRUE(m.kindBoxEnabled());
}

TEST(FormModel, CrawlRequestModesCheckTheExtractItems) {
    for (int mode : {1, 2}) {
        FormModel m;
        m.setCrawlRequestMode(mode);
        const EngineSelection s = m.selectEngine(SearchEngine::Links);
        EXPECT_FALSE(s.popUpCrawlerMenu);
        EXPECT_EQ(m.crawlMarks()[CrawlMode::AllLinks], mode == 1);
        EXPECT_EQ(m.crawlMarks()[CrawlMode::interLinks], mode == 2);
        EXPECT_TRUE(s.focusSite);
        EXPECT_TRUE(m.colours().isGrey(ColouredField::Browser));
        EXPECT_FALSE(m.colours().isGrey(ColouredField::Site));
    }
    FormModel m;
    m.setCrawlRequestMode(5);
    EXPECT_FALSE(m.selectEngine(SearchEngine::Links).popUpCrawlerMenu);
    EXPECT_EQ(m.crawlMarks(), CrawlMarks{});
}

TEST(FormModel, SnapshotCarriesTheEntryTexts) {
    FormModel m;
    m.setBrowsers({{"Firefox", "firefox %u"}, {"Chromium (Default)", "chromium %U"}});
    m.select(ListField::Browser, 1);
    m.setText(TextField::Words, "w");
    m.setText(TextField::Exact, "e");
    m.setText(TextField::Exclude, "x");
    m.setText(TextField::Site, "s");
    m.select(ListField::Period, 3);
    m.select(ListField::Interface, -1);
    m.setKindIndex(1);
    m.setExpanded(true);
    m.setCrawlListFile("/tmp/l.txt");
    const SearchSnapshot s = m.snapshot();
    using V = std::vector<std::string>;
    EXPECT_EQ((V{s.words, s.exactPhrase, s.excludedWords, s.site, s.browser, s.period,
                 s.interfaceLanguage, s.country, s.kind, s.crawlListFile}),
              (V{"w", "e", "x", "s", "Chromium (Default)", "Past week", "", "- - -", "Images",
                 "/tmp/l.txt"}));
    EXPECT_TRUE(s.expanded);
    // The marked entry opens through the default handler.
    EXPECT_EQ(m.browserCommand(), "");
    m.select(ListField::Browser, 0);
    EXPECT_EQ(m.browserCommand(), "firefox %u");
}

TEST(FormModel, AChangedFieldBecomesTheOwner) {
    FormModel m;
    m.setText(TextField::Exact, "phrase");
    EXPECT_EQ(m.ownerText(), "phrase");
    m.setSuggestionOwner(OwnerField::Words);
    m.setText(TextField::Exact, "phrase"); // the same text is no change
    EXPECT_EQ(m.ownerText(), "");
}

namespace {

const std::vector<BrowserEntry> kBox = {
    {"Chromium", "chromium %U"}, {"Firefox (Default)", "firefox %u"}, {"Lynx", ""}};

} // namespace

// The browser box is filled from its source at the first read or select of the box, once,
// and the source's selection is checked as select() checks it.
TEST(FormModel, ABrowserSourceRunsOnceWhenTheBoxIsFirstNeeded) {
    using Act = void (*)(FormModel&);
    struct Case {
        const char* name;
        int given; // the source's selection
        Act act;   // done twice
        int selection;
        std::string command;
        int runs;
    };
    const Act none = [](FormModel&) {};
    const Act replace = [](FormModel& m) { m.setBrowsers({{"Only", "only %u"}}); };
    const Case cases[] = {
        {"selection", 1, [](FormModel& m) { (void)m.selection(ListField::Browser); }, 1, "", 1},
        {"text", 1, [](FormModel& m) { (void)m.selectedText(ListField::Browser); }, 1, "", 1},
        {"browsers", 1, [](FormModel& m) { (void)m.browsers(); }, 1, "", 1},
        {"browserCommand", 1, [](FormModel& m) { (void)m.browserCommand(); }, 1, "", 1},
        {"snapshot", 1, [](FormModel& m) { (void)m.snapshot(); }, 1, "", 1},
        {"given 0", 0, none, 0, "chromium %U", 1},
        {"given 2", 2, none, 2, "", 1},
        {"given 3", 3, none, -1, "", 1},
        {"given -1", -1, none, -1, "", 1},
        {"given 99", 99, none, -1, "", 1},
        {"select 2", 0, [](FormModel& m) { m.select(ListField::Browser, 2); }, 2, "", 1},
        {"select 3", 0, [](FormModel& m) { m.select(ListField::Browser, 3); }, -1, "", 1},
        {"setBrowsers", 2, replace, 0, "only %u", 0},
    };
    for (const Case& c : cases) {
        FormModel m;
        int runs = 0;
        m.setBrowserSource([&runs, &c] {
            ++runs;
            return FormModel::BrowserBox{kBox, c.given};
        });
        // Other lists are no reason to read the browsers.
        m.select(ListField::Country, 5);
        (void)m.selection(ListField::Language);
        (void)m.request();
        EXPECT_FALSE(m.browsersLoaded()) << c.name;
        c.act(m);
        c.act(m);
        EXPECT_EQ(m.selection(ListField::Browser), c.selection) << c.name;
        EXPECT_EQ(m.selectedText(ListField::Browser),
                  c.selection < 0 ? "" : m.browsers()[std::size_t(c.selection)].text)
            << c.name;
        EXPECT_EQ(m.browserCommand(), c.command) << c.name << ": a default opens by the handler";
        EXPECT_TRUE(m.browsersLoaded()) << c.name;
        EXPECT_EQ(runs, c.runs) << c.name;
    }
    FormModel empty;
    empty.setBrowserSource([] { return FormModel::BrowserBox{{}, 0}; });
    EXPECT_EQ(empty.selection(ListField::Browser), -1);
    EXPECT_EQ(empty.selectedText(ListField::Browser), "");
}

TEST(FormModel, ABrowserSourceThatThrowsLeavesAnEmptyBoxAndRunsNoMore) {
    FormModel m;
    int runs = 0;
    m.setBrowserSource([&runs]() -> FormModel::BrowserBox {
        ++runs;
        throw std::runtime_error("unreadable");
    });
    EXPECT_THROW((void)m.browsers(), std::runtime_error);
    EXPECT_TRUE(m.browsers().empty());
    EXPECT_EQ(m.selection(ListField::Browser), -1);
    EXPECT_EQ(runs, 1);
}
