#include "common/atomic_file.h"
#include "settings/config.h"
#include "settings/form_reset.h"
#include "settings/ini.h"
#include "settings/settings_file.h"
#include "tests/compose/fakes.h"
#include "tests/support/fake_main_window.h"
#include "tests/support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace trov;
using test::FakeMainWindow;

namespace {

using Ints = std::vector<int>;
using Texts = std::vector<std::string>;

struct Settings : ::testing::Test {
    test::TempDir dir;
    FakeMainWindow main;
    test::RecordingMessages messages;
    Config config{dir.file("YY.cfg")};
    Settings() {
        main.model.setBrowsers({{"Chromium", "chromium %u"},
                                {"Firefox (Default)", "firefox %u"},
                                {"Firefox ESR", "firefox-esr %u"},
                                {"Vivaldi", "vivaldi %u"}});
    }
    bool open(std::string_view body) { return readSettingsFile(dir.write("s.gms", body), main); }
    void fillForm() {
        main.model.selectEngine(SearchEngine::Bing);
        main.model.setKindIndex(2);
        main.setTexts("x");
        main.setLists({3, 4, 5, 6, 7, 2});
    }
};

} // namespace

TEST_F(Settings, SaveWritesTheNineKeysUnderPinAndAFreshStartReadsThemBack) {
    main.model.selectEngine(SearchEngine::Google);
    main.model.setKindIndex(1); // "Images"
    main.setLists({2, 19, 5, 13, 1, 3});
    const std::string path = dir.file("mine.gms");
    writeSettingsFile(path, main.model, 255);
    EXPECT_EQ(dir.read("mine.gms"), "[Pin]\r\nBrowser=2\r\nInterface=19\r\nCountry=5\r\n"
                                    "Language=13\r\nType=1\r\nTime=3\r\nbkgkol=255\r\n"
                                    "Tip=1\r\nTip2=1\r\n");
    fillForm(); // another engine, kind, texts and lists before reading
    ASSERT_TRUE(readSettingsFile(path, main));
    EXPECT_EQ(main.model.engine(), SearchEngine::Google);
    EXPECT_EQ(main.model.kindText(), "Images");
    EXPECT_EQ(main.background, 255);
    EXPECT_EQ(main.lists(), (Ints{2, 19, 5, 13, 1, 3}));
    EXPECT_EQ(main.texts(), Texts(4, ""));
    EXPECT_TRUE(main.expanded);
    EXPECT_EQ(main.calls.back(), "sync");
}

TEST_F(Settings, SaveKeepsEveryOtherLineARefusedOneNamesTheFile) {
    const std::string path =
        dir.write("old.gms", "; mine\r\n[Other]\r\na=1\r\n[pin]\r\nEurl2=cats\r\nTip2=4\r\n");
    main.model.selectEngine(SearchEngine::Bing);
    writeSettingsFile(path, main.model, 14801352);
    EXPECT_EQ(dir.read("old.gms"), "; mine\r\n[Other]\r\na=1\r\n[pin]\r\nEurl2=cats\r\nTip2=2\r\n"
                                   "Browser=0\r\nInterface=0\r\nCountry=0\r\nLanguage=0\r\n"
                                   "Type=0\r\nTime=0\r\nbkgkol=14801352\r\nTip=0\r\n");
    const std::string refused = dir.file("missing-folder/s.gms");
    EXPECT_THAT([&] { writeSettingsFile(refused, main.model, 255); },
                ::testing::ThrowsMessage<IniWriteError>("Unable to write to " + refused));
}

// Tip2 names the pressed engine, Links by its extract mark. Reading presses the engine of the
// code; codes of no engine press nothing, those past the list open the crawl menu.
TEST(SettingsEngineCode, ReadPressesTheEngineWrittenBackItsCode) {
    using E = SearchEngine;
    const struct {
        int code;
        E engine;   // Bing before
        char press; // '-' none, 'p' pressed, 'a' AllLinks / 'i' interLinks marked, 'm' menu
        int written;
    } cases[] = {{-3, E::Bing, '-', 2},      {0, E::Bing, '-', 2},
                 {1, E::Google, 'p', 1},     {2, E::Bing, 'p', 2},
                 {3, E::DuckDuckGo, 'p', 3}, {4, E::Wikipedia, 'p', 4},
                 {5, E::Bing, '-', 2},       {6, E::WolframAlpha, 'p', 6},
                 {7, E::Ask, 'p', 7},        {8, E::UrbanDictionary, 'p', 8},
                 {9, E::Links, 'a', 9},      {10, E::Links, 'i', 10},
                 {11, E::Links, 'm', 0},     {250, E::Links, 'm', 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        FakeMainWindow main;
        main.model.selectEngine(E::Bing);
        main.calls.clear();
        test::TempDir dir;
        ASSERT_TRUE(readSettingsFile(
            dir.write("s.gms", "[Pin]\r\nTip2=" + std::to_string(c.code) + "\r\nTip=1\r\n"), main));
        EXPECT_EQ(main.model.engine(), c.engine);
        ASSERT_EQ(main.selections.size(), c.press == '-' ? 0u : 1u);
        EXPECT_EQ(main.model.crawlMarks()[CrawlMode::AllLinks], c.press == 'a');
        EXPECT_EQ(main.model.crawlMarks()[CrawlMode::interLinks], c.press == 'i');
        EXPECT_FALSE(main.model.crawlMarks().anyCrawl());
        EXPECT_EQ(c.press != '-' && main.selections[0].popUpCrawlerMenu, c.press == 'm');
        EXPECT_EQ(main.model.crawlRequestMode(), kNoCrawlRequest);
        EXPECT_TRUE(main.expanded);
        // Links was expanded before it was pressed, so the window did not toggle twice. Tip
        // is applied after the engine; beyond a one-kind list it selects nothing.
        if (c.engine == E::Links) {
            EXPECT_EQ(main.calls.front(), "expand");
        }
        EXPECT_EQ(main.model.kindIndex(), c.engine == E::Links            ? 0
                                          : main.model.kinds().size() > 1 ? 1
                                                                          : -1);
        EXPECT_EQ(settingsEngineCode(main.model), c.written);
    }
    for (auto [engine, mark] : {std::pair{E::Swisscows, CrawlMode::StartFastCrawl},
                                {E::Links, CrawlMode::StartFastCrawl},
                                {E::Links, CrawlMode::CrawlCSV}}) {
        FormModel model;
        model.selectEngine(engine);
        model.setCrawlMark(mark, true);
        EXPECT_EQ(settingsEngineCode(model), 0);
    }
}

TEST_F(Settings, MissingFileNoPinSectionAndTextKeys) {
    main.model.selectEngine(SearchEngine::Ask);
    main.setLists({3, 0, 9});
    main.model.setText(TextField::Exact, "phrase");
    EXPECT_FALSE(readSettingsFile(dir.file("none.gms"), main));
    EXPECT_EQ(main.model.text(TextField::Exact), "phrase");
    EXPECT_TRUE(main.calls.empty());
    // Without a [Pin] section every key reads as absent.
    ASSERT_TRUE(open("just some text\r\n[Other]\r\nTip2=8\r\n"));
    EXPECT_EQ(main.lists(), Ints(6, 0));
    EXPECT_EQ(main.model.text(TextField::Exact), "");
    EXPECT_EQ(main.model.engine(), SearchEngine::Google);
    EXPECT_EQ(main.model.kindIndex(), 0);
    // The sentinel colour keeps the background; the colour after it is applied.
    EXPECT_FALSE(main.called("colour 14801351"));
    ASSERT_TRUE(open("[Pin]\r\nbkgkol=14801351\r\n"));
    EXPECT_EQ(main.background, 14801352);
    ASSERT_TRUE(open("[Pin]\r\nbkgkol=14801352\r\n"));
    EXPECT_TRUE(main.called("colour 14801352"));
    // An index beyond its list leaves no selection.
    ASSERT_TRUE(open("[PIN]\r\neurl2=cats\r\nExact2=big cat\r\nExclude2=dog\r\n"
                     "Domain2=example.com\r\nCountry=9999\r\nBrowser=4\r\nTip=9\r\n"));
    EXPECT_EQ(main.texts(), (Texts{"cats", "big cat", "dog", "example.com"}));
    EXPECT_EQ(main.model.selection(ListField::Country), -1);
    EXPECT_EQ(main.model.selection(ListField::Browser), -1);
    EXPECT_EQ(main.model.kindIndex(), -1);
}

TEST(OpenSettingsLinkList, EmptiedByEveryEngineChosenUnlessAListIsLoaded) {
    const struct {
        int code;
        bool listLoaded, emptied;
    } rows[] = {{1, false, true}, {9, false, true},  {11, false, true},
                {1, true, false}, {10, true, false}, {0, false, false}};
    for (const auto& r : rows) {
        test::RecordingCrawl crawl;
        FakeMainWindow main(&crawl);
        main.model.selectEngine(SearchEngine::Links);
        main.model.setCrawlMark(CrawlMode::CrawlCSV, r.listLoaded);
        test::TempDir dir;
        ASSERT_TRUE(readSettingsFile(
            dir.write("s.gms", "[Pin]\r\nTip2=" + std::to_string(r.code) + "\r\n"), main));
        EXPECT_EQ(crawl.calls.size(), r.emptied ? 1u : 0u) << r.code << " " << r.listLoaded;
    }
}

// ---- Reset all settings and the broom ---------------------------------------------------

TEST_F(Settings, ResetReturnsTheListsAndUndoesThePins) {
    fillForm();
    messages.answer = false;
    EXPECT_FALSE(ResetAll(main, config, messages, "firefox"));
    EXPECT_EQ(messages.asked, Texts{"  Reset all search settings ?  "});
    EXPECT_EQ(main.model.text(TextField::Words), "x");
    EXPECT_FALSE(fileExists(config.path()));

    messages.answer = true;
    // A name no entry holds takes the marked entry; nothing stored, the default colour.
    for (const char* name : {"", "opera", "firefox-esr"}) {
        fillForm();
        ASSERT_TRUE(ResetAll(main, config, messages, name));
        EXPECT_EQ(main.model.selection(ListField::Browser), 1) << name; // "Firefox (Default)"
    }
    EXPECT_TRUE(main.called("colour 14801352"));

    fillForm();
    dir.write("YY.cfg", "[Color]\r\nPall=255\r\n[Pin]\r\nCountry=5\r\nPrviZagon=0\r\n");
    config.reload();
    ASSERT_TRUE(ResetAll(main, config, messages, "firefox"));
    EXPECT_EQ(main.texts(), Texts(4, ""));
    EXPECT_EQ(main.lists(), (Ints{2, 0, 0, 0, 0, 0})); // the last browser naming it
    EXPECT_EQ(main.model.fragments(), SearchFragments{});
    EXPECT_TRUE(main.called("colour 255"));
    EXPECT_EQ(main.model.engine(), SearchEngine::Bing); // the engine and the kind stay
    EXPECT_EQ(main.model.kindIndex(), 2);
    config.reload();
    EXPECT_EQ(config.readInt(cfg::PinBrowser), 2);
    EXPECT_EQ(config.readInt(cfg::PinCountry), 0);
    EXPECT_EQ(config.readInt(cfg::ColorPall), 255);
    EXPECT_FALSE(config.readBool(cfg::PinPrviZagon));
}

TEST_F(Settings, TheBroomRestoresThePinsAndEmptiesTheRest) {
    fillForm();
    xiMetlaClick(main, config); // no pins: the first entries
    EXPECT_EQ(main.lists(), Ints(6, 0));
    EXPECT_EQ(main.model.fragments(), SearchFragments{});
    EXPECT_FALSE(fileExists(config.path()));

    const std::string cfgText =
        "[Pin]\r\nBrowser=1\r\nCountry=12\r\nTime=4\r\nType=notanumber\r\n[Color]\r\nPall=99\r\n";
    dir.write("YY.cfg", cfgText);
    fillForm();
    xiMetlaClick(main, config);
    EXPECT_EQ(main.texts(), Texts(4, ""));
    EXPECT_EQ(main.model.kindIndex(), 0);
    EXPECT_EQ(main.lists(), (Ints{1, 0, 12, 0, 0, 4}));
    EXPECT_EQ(main.model.fragments().countryParam, "&cr=countryAW");
    EXPECT_EQ(main.model.engine(), SearchEngine::Bing);
    EXPECT_FALSE(main.called("colour 99"));
    EXPECT_EQ(dir.read("YY.cfg"), cfgText); // only read
}
