#include "compose/form_model.h"
#include "fakes.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace trov;
using V = std::vector<std::string>;

TEST(FormModel, SelectingAListRunsItsChangeRule) {
    FormModel m;
    m.select(ListField::Language, 8);
    m.select(ListField::Country, 228);
    m.select(ListField::Interface, 3);
    m.select(ListField::FileType, 25);
    const SearchFragments& f = m.fragments();
    EXPECT_EQ((V{f.languageSubdomain, f.countryParam, f.interfaceParam, f.fileExtension}),
              (V{"TW.", "&cr=countryUK", "&hl=sm", "pl"}));
    EXPECT_EQ(m.selectedText(ListField::FileType), "Perl source code (pl)");
    // A stored index outside the list leaves no selection, which composes like "- - -".
    m.select(ListField::Country, 244);
    m.select(ListField::Period, 6);
    EXPECT_EQ((std::vector{m.selection(ListField::Country), m.selection(ListField::Period)}),
              (std::vector{-1, -1}));
    EXPECT_EQ(m.selectedText(ListField::Country), "");
    EXPECT_EQ(m.fragments().countryParam, "");
}

TEST(FormModel, EngineButtonsSetTheKindListAndTheColours) {
    FormModel m;
    m.setKindIndex(5);
    EXPECT_EQ(m.kindText(), "Books");
    const EngineSelection s = m.selectEngine(SearchEngine::Bing); // no Books: All
    EXPECT_EQ(m.kindText(), "All");
    EXPECT_EQ(m.kinds().size(), 5u);
    EXPECT_EQ(s.markerLeft, 25);
    EXPECT_TRUE(s.hideProgressPanel);
    EXPECT_FALSE(s.popUpCrawlerMenu);
    EXPECT_FALSE(m.colours().isGrey(ColouredField::Country));
    m.setKindIndex(4); // the kind recolours
    EXPECT_TRUE(m.colours().isGrey(ColouredField::Country));
    EXPECT_FALSE(m.colours().isGrey(ColouredField::Browser));
}

TEST(FormModel, LinksOpensTheMenuAndKeepsTheLinkListOtherEnginesEmptyIt) {
    test::RecordingCrawl crawl;
    FormModel m(&crawl);
    m.setCrawlMark(CrawlMode::StartFastCrawl, true);
    EngineSelection s = m.selectEngine(SearchEngine::Links);
    EXPECT_TRUE(s.popUpCrawlerMenu);
    EXPECT_TRUE(s.expand);
    EXPECT_EQ(s.markerLeft, 200);
    EXPECT_EQ(m.kindText(), "---");
    EXPECT_FALSE(m.kindBoxEnabled());
    EXPECT_EQ(m.kindBoxColour(), 0xA0A0A0u);
    EXPECT_FALSE(m.crawlMarks()[CrawlMode::StartFastCrawl]);
    // Pressing Links again keeps the extract mark, clears the crawl marks, frees the site.
    m.setExpanded(true);
    m.setCrawlMark(CrawlMode::AllLinks, true);
    m.setCrawlMark(CrawlMode::CrawlCSV, true);
    m.setSiteReadOnly(true);
    EXPECT_FALSE(m.selectEngine(SearchEngine::Links).expand);
    EXPECT_TRUE(m.crawlMarks()[CrawlMode::AllLinks]);
    EXPECT_FALSE(m.crawlMarks()[CrawlMode::CrawlCSV]);
    EXPECT_FALSE(m.siteReadOnly());
    EXPECT_TRUE(crawl.calls.empty());

    s = m.selectEngine(SearchEngine::Ask);
    EXPECT_TRUE(s.clearedLinkList);
    EXPECT_EQ(crawl.calls, V{"clear"});
    EXPECT_EQ(m.crawlMarks(), CrawlMarks{});
    EXPECT_TRUE(m.kindBoxEnabled());
}

TEST(FormModel, CrawlRequestModesCheckTheExtractItems) {
    for (int mode : {1, 2, 5}) {
        FormModel m;
        m.setCrawlRequestMode(mode);
        const EngineSelection s = m.selectEngine(SearchEngine::Links);
        EXPECT_FALSE(s.popUpCrawlerMenu);
        EXPECT_EQ(m.crawlMarks()[CrawlMode::AllLinks], mode == 1);
        EXPECT_EQ(m.crawlMarks()[CrawlMode::interLinks], mode == 2);
        EXPECT_EQ(s.focusSite, mode != 5);
        EXPECT_EQ(m.colours().isGrey(ColouredField::Browser), mode != 5);
        EXPECT_FALSE(m.colours().isGrey(ColouredField::Site));
    }
}

TEST(FormModel, SnapshotCarriesTheEntryTextsAndAChangedFieldIsTheOwner) {
    FormModel m;
    m.setBrowsers({{"Firefox", "firefox %u"}, {"Chromium (Default)", "chromium %U"}});
    m.select(ListField::Browser, 1);
    for (TextField f : {TextField::Words, TextField::Exact, TextField::Exclude, TextField::Site})
        m.setText(f, std::to_string(static_cast<int>(f)));
    m.select(ListField::Period, 3);
    m.select(ListField::Interface, -1);
    m.setKindIndex(1);
    m.setExpanded(true);
    m.setCrawlListFile("/tmp/l.txt");
    const SearchSnapshot s = m.snapshot();
    EXPECT_EQ((V{s.words, s.exactPhrase, s.excludedWords, s.site, s.browser, s.period,
                 s.interfaceLanguage, s.country, s.kind, s.crawlListFile}),
              (V{m.text(TextField::Words), m.text(TextField::Exact), m.text(TextField::Exclude),
                 m.text(TextField::Site), "Chromium (Default)", "Past week", "", "- - -", "Images",
                 "/tmp/l.txt"}));
    EXPECT_TRUE(s.expanded);
    // The marked entry opens through the default handler.
    EXPECT_EQ(m.browserCommand(), "");
    m.select(ListField::Browser, 0);
    EXPECT_EQ(m.browserCommand(), "firefox %u");

    EXPECT_EQ(m.ownerText(), m.text(TextField::Site)); // the field changed last
    m.setSuggestionOwner(OwnerField::Words);
    m.setText(TextField::Site, m.text(TextField::Site)); // the same text is no change
    EXPECT_EQ(m.ownerText(), m.text(TextField::Words));
}

// The browser box is filled from its source at the first read or select of the box, once,
// and the source's selection is checked as select() checks it.
TEST(FormModel, ABrowserSourceRunsOnceWhenTheBoxIsFirstNeeded) {
    const std::vector<BrowserEntry> box = {
        {"Chromium", "chromium %U"}, {"Firefox (Default)", "firefox %u"}, {"Lynx", ""}};
    using Act = void (*)(FormModel&);
    const Act none = [](FormModel&) {};
    const struct {
        int given; // the source's selection
        Act act;   // done twice
        int selection;
        std::string command;
        int runs;
    } cases[] = {
        {1, [](FormModel& m) { (void)m.selection(ListField::Browser); }, 1, "", 1},
        {1, [](FormModel& m) { (void)m.selectedText(ListField::Browser); }, 1, "", 1},
        {1, [](FormModel& m) { (void)m.browsers(); }, 1, "", 1},
        {1, [](FormModel& m) { (void)m.browserCommand(); }, 1, "", 1},
        {1, [](FormModel& m) { (void)m.snapshot(); }, 1, "", 1},
        {0, none, 0, "chromium %U", 1},
        {2, none, 2, "", 1},
        {3, none, -1, "", 1},
        {-1, none, -1, "", 1},
        {99, none, -1, "", 1},
        {0, [](FormModel& m) { m.select(ListField::Browser, 2); }, 2, "", 1},
        {0, [](FormModel& m) { m.select(ListField::Browser, 3); }, -1, "", 1},
        {2,
         [](FormModel& m) {
             m.setBrowsers({{"Only", "only %u"}});
         },
         0, "only %u", 0},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(i);
        FormModel m;
        int runs = 0;
        m.setBrowserSource([&runs, &c, &box] {
            ++runs;
            return FormModel::BrowserBox{box, c.given};
        });
        // Other lists are no reason to read the browsers.
        m.select(ListField::Country, 5);
        (void)m.selection(ListField::Language);
        (void)m.request();
        EXPECT_FALSE(m.browsersLoaded());
        c.act(m);
        c.act(m);
        EXPECT_EQ(m.selection(ListField::Browser), c.selection);
        EXPECT_EQ(m.selectedText(ListField::Browser),
                  c.selection < 0 ? "" : m.browsers()[std::size_t(c.selection)].text);
        EXPECT_EQ(m.browserCommand(), c.command) << "a default opens by the handler";
        EXPECT_TRUE(m.browsersLoaded());
        EXPECT_EQ(runs, c.runs);
    }
    FormModel empty;
    empty.setBrowserSource([] { return FormModel::BrowserBox{{}, 0}; });
    EXPECT_EQ(empty.selectedText(ListField::Browser), "");
    // A source that throws leaves an empty box and runs no more.
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
