#include "compose/form_model.h"
#include "fakes.h"
#include "transcript.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <stdexcept>

using namespace trov;
using V = std::vector<std::string>;

TEST(FormModel, EngineButtonsSetTheKindListAndTheColours) {
    FormModel m;
    m.setKindIndex(5);
    EXPECT_EQ(m.kindText(), "Books");
    const EngineSelection s = m.selectEngine(SearchEngine::Bing); // no Books: All
    EXPECT_EQ(m.kindText(), "All");
    EXPECT_EQ(m.kinds().size(), 5u);
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

// Input: the source's selection ("empty": no browsers, "throws": the source throws), then what
// is done twice: a read of the box, or a select, or a replacing setBrowsers; printed: the box
// then. The source runs once, at the first read or select of the box, and its selection is
// checked as select() checks it; other lists are no reason to read the browsers.
TEST(FormModel, ABrowserSourceRunsOnceWhenTheBoxIsFirstNeeded) {
    test::expectTranscript(
        "compose/data/compose.txt", "BrowserSource", [](const std::string& input) {
            std::istringstream in(input);
            std::string given, act;
            int index = 0, runs = 0;
            in >> given >> act >> index;
            FormModel m;
            m.setBrowserSource([&]() -> FormModel::BrowserBox {
                ++runs;
                if (given == "throws")
                    throw std::runtime_error("unreadable");
                return {given == "empty"
                            ? std::vector<BrowserEntry>{}
                            : std::vector<BrowserEntry>{{"Chromium", "chromium %U"},
                                                        {"Firefox (Default)", "firefox %u"},
                                                        {"Lynx", ""}},
                        given == "empty" ? 0 : std::stoi(given)};
            });
            m.select(ListField::Country, 5);
            (void)m.selection(ListField::Language);
            (void)m.request();
            EXPECT_FALSE(m.browsersLoaded());
            const std::map<std::string, std::function<void()>> acts = {
                {"none", [] {}},
                {"selection", [&] { (void)m.selection(ListField::Browser); }},
                {"text", [&] { (void)m.selectedText(ListField::Browser); }},
                {"browsers", [&] { (void)m.browsers(); }},
                {"command", [&] { (void)m.browserCommand(); }},
                {"snapshot", [&] { (void)m.snapshot(); }},
                {"select", [&] { m.select(ListField::Browser, index); }},
                {"replace", [&] {
                     m.setBrowsers({{"Only", "only %u"}});
                 }}};
            std::string out;
            for (int i = 0; i < 2; ++i) {
                try {
                    acts.at(act)();
                } catch (const std::runtime_error& e) {
                    out += std::string("threw <") + e.what() + ">, ";
                }
            }
            out += "selection " + std::to_string(m.selection(ListField::Browser));
            out += " <" + m.selectedText(ListField::Browser) + "> command <" + m.browserCommand();
            return out + ">, " + std::to_string(runs) +
                   (m.browsersLoaded() ? " runs, loaded\n" : " runs\n");
        });
}
