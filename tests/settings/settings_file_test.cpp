#include "common/atomic_file.h"
#include "compose/engines.h"
#include "settings/config.h"
#include "settings/form_reset.h"
#include "settings/ini.h"
#include "settings/settings_file.h"
#include "tests/compose/fakes.h"
#include "tests/support/fake_main_window.h"
#include "tests/support/messages.h"
#include "tests/support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace trov;
using test::FakeMainWindow;

namespace {

constexpr int kRed = 255;
using Ints = std::vector<int>;
using Texts = std::vector<std::string>;

// Opens a settings file naming the engine by its code.
bool openCode(FakeMainWindow& main, int code, const std::string& more = "") {
    test::TempDir dir;
    return readSettingsFile(
        dir.write("s.gms", "[Pin]\r\nTip2=" + std::to_string(code) + "\r\n" + more), main);
}

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
    std::string settings(std::string_view body) { return dir.write("s.gms", body); }
    void fillForm() {
        main.model.selectEngine(SearchEngine::Bing);
        main.model.setKindIndex(2);
        main.setTexts("x");
        main.setLists({3, 4, 5, 6, 7, 2});
    }
};

TEST_F(Settings, SaveWritesTheNineKeysUnderPinAndAFreshStartReadsThemBack) {
    main.model.selectEngine(SearchEngine::Google);
    main.model.setKindIndex(1); // "Images"
    main.setLists({2, 19, 5, 13, 1, 3});
    const std::string path = dir.file("mine.gms");
    writeSettingsFile(path, main.model, kRed);
    EXPECT_EQ(dir.read("mine.gms"), "[Pin]\r\nBrowser=2\r\nInterface=19\r\nCountry=5\r\n"
                                    "Language=13\r\nType=1\r\nTime=3\r\nbkgkol=255\r\n"
                                    "Tip=1\r\nTip2=1\r\n");

    fillForm(); // another engine, kind, texts and lists before reading
    ASSERT_TRUE(readSettingsFile(path, main));
    EXPECT_EQ(main.model.engine(), SearchEngine::Google);
    EXPECT_EQ(main.model.kindText(), "Images");
    EXPECT_EQ(main.background, kRed);
    EXPECT_EQ(main.lists(), (Ints{2, 19, 5, 13, 1, 3}));
    EXPECT_EQ(main.texts(), Texts(4, ""));
    EXPECT_TRUE(main.expanded);
    EXPECT_EQ(main.calls.back(), "sync");
}

TEST_F(Settings, SaveKeepsEveryOtherLineOfAnExistingFile) {
    const std::string path =
        dir.write("old.gms", "; mine\r\n[Other]\r\na=1\r\n[pin]\r\nEurl2=cats\r\nTip2=4\r\n");
    main.model.selectEngine(SearchEngine::Bing);
    writeSettingsFile(path, main.model, 14801352);
    const IniFile file(path);
    EXPECT_EQ(file.readString("Other", "a", ""), "1");
    EXPECT_EQ(file.readString("Pin", "Eurl2", ""), "cats");
    EXPECT_EQ(file.readInt("Pin", "Tip2", -9), 2);
    EXPECT_EQ(dir.read("old.gms").rfind("; mine\r\n[Other]\r\na=1\r\n[pin]\r\nEurl2=cats\r\n", 0),
              0u);
}

TEST_F(Settings, ARefusedSaveNamesTheFile) {
    const std::string path = dir.file("missing-folder/s.gms");
    EXPECT_THAT([&] { writeSettingsFile(path, main.model, kRed); },
                ::testing::ThrowsMessage<IniWriteError>("Unable to write to " + path));
}

TEST(SettingsEngineCode, FollowsThePressedEngineAndItsMode) {
    struct Case {
        SearchEngine engine;
        std::optional<CrawlMode> mark;
        int code;
    };
    const Case cases[] = {{SearchEngine::Swisscows, {}, 0},
                          {SearchEngine::Google, {}, 1},
                          {SearchEngine::Bing, {}, 2},
                          {SearchEngine::DuckDuckGo, {}, 3},
                          {SearchEngine::Wikipedia, {}, 4},
                          {SearchEngine::WolframAlpha, {}, 6},
                          {SearchEngine::Ask, {}, 7},
                          {SearchEngine::UrbanDictionary, {}, 8},
                          {SearchEngine::Links, CrawlMode::AllLinks, 9},
                          {SearchEngine::Links, CrawlMode::interLinks, 10},
                          {SearchEngine::Links, CrawlMode::StartFastCrawl, 0},
                          {SearchEngine::Links, CrawlMode::CrawlCSV, 0},
                          {SearchEngine::Links, {}, 0}};
    for (const Case& c : cases) {
        FormModel model;
        model.setCrawlRequestMode(0);
        model.selectEngine(c.engine);
        for (CrawlMode m : kCrawlModes)
            model.setCrawlMark(m, c.mark == m);
        EXPECT_EQ(settingsEngineCode(model), c.code) << static_cast<int>(c.engine);
    }
}

TEST_F(Settings, OpeningAMissingFileChangesNothing) {
    main.model.setText(TextField::Words, "cats");
    EXPECT_FALSE(readSettingsFile(dir.file("none.gms"), main));
    EXPECT_EQ(main.model.text(TextField::Words), "cats");
    EXPECT_TRUE(main.calls.empty());
}

TEST_F(Settings, AFileWithoutAPinSectionReadsAsEveryKeyAbsent) {
    main.model.selectEngine(SearchEngine::Ask);
    main.setLists({3, 0, 9});
    main.model.setText(TextField::Exact, "phrase");
    ASSERT_TRUE(readSettingsFile(settings("just some text\r\n[Other]\r\nTip2=8\r\n"), main));
    EXPECT_EQ(main.lists(), Ints(6, 0));
    EXPECT_EQ(main.model.text(TextField::Exact), "");
    EXPECT_FALSE(main.called("colour 14801351"));
    EXPECT_EQ(main.background, 14801352);
    EXPECT_EQ(main.model.engine(), SearchEngine::Google);
    EXPECT_EQ(main.model.kindIndex(), 0);
    // The sentinel colour keeps the background too; the colour after it is applied.
    ASSERT_TRUE(readSettingsFile(settings("[Pin]\r\nbkgkol=14801351\r\n"), main));
    EXPECT_EQ(main.background, 14801352);
    ASSERT_TRUE(readSettingsFile(settings("[Pin]\r\nbkgkol=14801352\r\n"), main));
    EXPECT_TRUE(main.called("colour 14801352"));
}

TEST_F(Settings, TextKeysFillTheFieldsAndAnIndexBeyondItsListLeavesNoSelection) {
    ASSERT_TRUE(readSettingsFile(settings("[PIN]\r\neurl2=cats\r\nExact2=big cat\r\n"
                                          "Exclude2=dog\r\nDomain2=example.com\r\n"
                                          "Country=9999\r\nBrowser=4\r\nTip=9\r\n"),
                                 main));
    EXPECT_EQ(main.texts(), (Texts{"cats", "big cat", "dog", "example.com"}));
    EXPECT_EQ(main.model.selection(ListField::Country), -1);
    EXPECT_EQ(main.model.selection(ListField::Browser), -1);
    EXPECT_EQ(main.model.kindIndex(), -1);
}

TEST(OpenSettingsCode, SelectsTheEngineOfTheCode) {
    struct Case {
        int code;
        SearchEngine engine; // expected engine afterwards (Bing before)
        char press; // '-' none, 'p' pressed, 'a' AllLinks / 'i' interLinks marked, 'm' menu
    };
    const Case cases[] = {
        {-3, SearchEngine::Bing, '-'},      {0, SearchEngine::Bing, '-'},
        {1, SearchEngine::Google, 'p'},     {2, SearchEngine::Bing, 'p'},
        {3, SearchEngine::DuckDuckGo, 'p'}, {4, SearchEngine::Wikipedia, 'p'},
        {5, SearchEngine::Bing, '-'},       {6, SearchEngine::WolframAlpha, 'p'},
        {7, SearchEngine::Ask, 'p'},        {8, SearchEngine::UrbanDictionary, 'p'},
        {9, SearchEngine::Links, 'a'},      {10, SearchEngine::Links, 'i'},
        {11, SearchEngine::Links, 'm'},     {250, SearchEngine::Links, 'm'}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        FakeMainWindow main;
        main.model.selectEngine(SearchEngine::Bing);
        main.calls.clear();
        ASSERT_TRUE(openCode(main, c.code, "Tip=1\r\n"));
        EXPECT_EQ(main.model.engine(), c.engine);
        ASSERT_EQ(main.selections.size(), c.press == '-' ? 0u : 1u);
        EXPECT_EQ(main.model.crawlMarks()[CrawlMode::AllLinks], c.press == 'a');
        EXPECT_EQ(main.model.crawlMarks()[CrawlMode::interLinks], c.press == 'i');
        EXPECT_FALSE(main.model.crawlMarks().anyCrawl());
        EXPECT_EQ(c.press != '-' && main.selections[0].popUpCrawlerMenu, c.press == 'm');
        EXPECT_EQ(main.model.crawlRequestMode(), kNoCrawlRequest);
        EXPECT_TRUE(main.expanded);
        if (c.engine == SearchEngine::Links) {
            // Links was expanded before it was pressed, so the window did not toggle twice.
            EXPECT_EQ(main.calls.front(), "expand");
            EXPECT_EQ(main.model.kindIndex(), 0);
            EXPECT_FALSE(main.model.kindBoxEnabled());
            EXPECT_EQ(main.model.kindBoxColour(), 0xA0A0A0u);
        } else {
            // Tip is applied after the engine; beyond a one-kind list it selects nothing.
            EXPECT_EQ(main.model.kindIndex(), main.model.kinds().size() > 1 ? 1 : -1);
        }
    }
}

TEST(OpenSettingsLinkList, EmptiedByEveryEngineChosenUnlessAListIsLoaded) {
    struct Row {
        int code;
        bool listLoaded;
        bool emptied;
    };
    const Row rows[] = {{1, false, true}, {9, false, true},  {11, false, true},
                        {1, true, false}, {10, true, false}, {0, false, false}};
    for (const Row& r : rows) {
        test::RecordingCrawl crawl;
        FakeMainWindow main(&crawl);
        main.model.selectEngine(SearchEngine::Links);
        main.model.setCrawlMark(CrawlMode::CrawlCSV, r.listLoaded);
        ASSERT_TRUE(openCode(main, r.code));
        EXPECT_EQ(crawl.calls.size(), r.emptied ? 1u : 0u) << r.code << " " << r.listLoaded;
    }
}

// ---- Reset all settings and the broom ---------------------------------------------------

TEST_F(Settings, ResetReturnsTheListsAndUndoesThePins) {
    dir.write("YY.cfg", "[Color]\r\nPall=255\r\n[Pin]\r\nCountry=5\r\nPrviZagon=0\r\n");
    config.reload();
    fillForm();
    ASSERT_TRUE(ResetAll(main, config, messages, "firefox"));
    EXPECT_EQ(main.texts(), Texts(4, ""));
    EXPECT_EQ(main.lists(), (Ints{2, 0, 0, 0, 0, 0})); // the last browser naming it
    EXPECT_EQ(main.model.fragments(), SearchFragments{});
    EXPECT_TRUE(main.called("colour 255"));
    // The engine and the kind are left as they were.
    EXPECT_EQ(main.model.engine(), SearchEngine::Bing);
    EXPECT_EQ(main.model.kindIndex(), 2);

    config.reload();
    EXPECT_EQ(config.readInt(cfg::PinBrowser), 2);
    EXPECT_EQ(config.readInt(cfg::PinCountry), 0);
    EXPECT_EQ(config.readInt(cfg::ColorPall), 255);
    EXPECT_FALSE(config.readBool(cfg::PinPrviZagon));

    // The broom now returns the country to its first entry.
    main.model.select(ListField::Country, 8);
    xiMetlaClick(main, config);
    EXPECT_EQ(main.model.selection(ListField::Country), 0);
}

TEST_F(Settings, ResetAnsweredNoChangesNothingAndANameNoEntryHoldsTakesTheMarkedEntry) {
    fillForm();
    messages.answer = false;
    EXPECT_FALSE(ResetAll(main, config, messages, "firefox"));
    EXPECT_EQ(messages.asked, Texts{"  Reset all search settings ?  "});
    EXPECT_EQ(main.model.selection(ListField::Country), 5);
    EXPECT_EQ(main.model.text(TextField::Words), "x");
    EXPECT_FALSE(fileExists(config.path()));
    messages.answer = true;
    for (const char* name : {"", "opera", "firefox-esr"}) {
        fillForm();
        ASSERT_TRUE(ResetAll(main, config, messages, name));
        EXPECT_EQ(main.model.selection(ListField::Browser), 1) << name; // "Firefox (Default)"
    }
    EXPECT_TRUE(main.called("colour 14801352")); // nothing stored: the default colour
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

} // namespace
