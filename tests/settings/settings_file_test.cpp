#include "common/atomic_file.h"
#include "compose/engines.h"
#include "settings/config.h"
#include "settings/form_reset.h"
#include "settings/ini.h"
#include "settings/settings_file.h"
#include "tests/support/fake_main_window.h"
#include "tests/support/messages.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

using namespace trov;
using test::FakeMainWindow;

namespace {

constexpr int kRed = 255;

std::vector<BrowserEntry> sampleBrowsers() {
    return {{"Chromium", "chromium %u"},
            {"Firefox (Default)", "firefox %u"},
            {"Firefox ESR", "firefox-esr %u"},
            {"Vivaldi", "vivaldi %u"}};
}

struct Fixture : ::testing::Test {
    test::TempDir dir;
    FakeMainWindow main;
    Fixture() { main.model.setBrowsers(sampleBrowsers()); }
    std::string settings(std::string_view body) { return dir.write("s.gms", body); }
};

// ---- Save settings ----------------------------------------------------------------------

using SaveSettings = Fixture;

TEST_F(SaveSettings, WritesTheNineKeysUnderPinInOrder) {
    main.model.selectEngine(SearchEngine::Google);
    main.model.setKindIndex(1); // "Images"
    main.model.select(ListField::Browser, 2);
    main.model.select(ListField::Interface, 19);
    main.model.select(ListField::Country, 5);
    main.model.select(ListField::Language, 13);
    main.model.select(ListField::FileType, 1);
    main.model.select(ListField::Period, 3);
    const std::string path = dir.file("mine.gms");
    writeSettingsFile(path, main.model, kRed);
    EXPECT_EQ(dir.read("mine.gms"), "[Pin]\r\nBrowser=2\r\nInterface=19\r\nCountry=5\r\n"
                                    "Language=13\r\nType=1\r\nTime=3\r\nbkgkol=255\r\n"
                                    "Tip=1\r\nTip2=1\r\n");
}

TEST_F(SaveSettings, KeepsEveryOtherLineOfAnExistingFile) {
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

struct CodeCase {
    SearchEngine engine;
    std::vector<CrawlMode> marks;
    int code;
};

class EngineCode : public ::testing::TestWithParam<CodeCase> {};

TEST_P(EngineCode, FollowsThePressedEngineAndItsMode) {
    FormModel model;
    model.setCrawlRequestMode(0);
    model.selectEngine(GetParam().engine);
    for (CrawlMode m : kCrawlModes)
        model.setCrawlMark(m, false);
    for (CrawlMode m : GetParam().marks)
        model.setCrawlMark(m, true);
    EXPECT_EQ(settingsEngineCode(model), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, EngineCode,
    ::testing::Values(
        CodeCase{SearchEngine::Swisscows, {}, 0}, CodeCase{SearchEngine::Google, {}, 1},
        CodeCase{SearchEngine::Bing, {}, 2}, CodeCase{SearchEngine::DuckDuckGo, {}, 3},
        CodeCase{SearchEngine::Wikipedia, {}, 4}, CodeCase{SearchEngine::WolframAlpha, {}, 6},
        CodeCase{SearchEngine::Ask, {}, 7}, CodeCase{SearchEngine::UrbanDictionary, {}, 8},
        CodeCase{SearchEngine::Links, {CrawlMode::AllLinks}, 9},
        CodeCase{SearchEngine::Links, {CrawlMode::interLinks}, 10},
        CodeCase{SearchEngine::Links, {CrawlMode::StartFastCrawl}, 0},
        CodeCase{SearchEngine::Links, {CrawlMode::CrawlCSV}, 0},
        CodeCase{SearchEngine::Links, {}, 0}));

// ---- Open settings ----------------------------------------------------------------------

using OpenSettings = Fixture;

TEST_F(OpenSettings, WhatSaveWroteComesBackOnAFreshStart) {
    main.model.selectEngine(SearchEngine::Google);
    main.model.setKindIndex(1);
    main.model.select(ListField::Country, 7);
    const std::string path = dir.file("round.gms");
    writeSettingsFile(path, main.model, kRed);

    FakeMainWindow fresh;
    fresh.model.setBrowsers(sampleBrowsers());
    fresh.model.selectEngine(SearchEngine::Bing);
    for (TextField f : {TextField::Words, TextField::Exact, TextField::Exclude, TextField::Site})
        fresh.model.setText(f, "old");
    ASSERT_TRUE(readSettingsFile(path, fresh));
    EXPECT_EQ(fresh.model.engine(), SearchEngine::Google);
    EXPECT_EQ(fresh.model.kinds().size(), 6u);
    EXPECT_EQ(fresh.model.kindText(), "Images");
    EXPECT_EQ(fresh.background, kRed);
    EXPECT_EQ(fresh.model.selection(ListField::Country), 7);
    for (TextField f : {TextField::Words, TextField::Exact, TextField::Exclude, TextField::Site})
        EXPECT_EQ(fresh.model.text(f), "");
    EXPECT_TRUE(fresh.expanded);
    EXPECT_EQ(fresh.calls.back(), "sync");
}

TEST_F(OpenSettings, AFileWithoutAPinSectionReadsAsEveryKeyAbsent) {
    main.model.selectEngine(SearchEngine::Ask);
    main.model.select(ListField::Country, 9);
    main.model.select(ListField::Browser, 3);
    main.model.setText(TextField::Exact, "phrase");
    EXPECT_FALSE(readSettingsFile(dir.file("none.gms"), main)); // missing: nothing changes
    EXPECT_EQ(main.model.text(TextField::Exact), "phrase");
    EXPECT_TRUE(main.calls.empty());
    const std::string path = settings("just some text\r\n[Other]\r\nTip2=8\r\n");
    ASSERT_TRUE(readSettingsFile(path, main));
    for (ListField l : {ListField::Browser, ListField::Interface, ListField::Country,
                        ListField::Language, ListField::FileType, ListField::Period})
        EXPECT_EQ(main.model.selection(l), 0);
    EXPECT_EQ(main.model.text(TextField::Exact), "");
    EXPECT_FALSE(main.called("colour 14801351"));
    EXPECT_EQ(main.background, 14801352);
    EXPECT_EQ(main.model.engine(), SearchEngine::Google);
    EXPECT_EQ(main.model.kindIndex(), 0);
}

TEST_F(OpenSettings, TextKeysFillTheFieldsAndOddValuesSelectNothing) {
    ASSERT_TRUE(readSettingsFile(settings("[PIN]\r\neurl2=cats\r\nExact2=big cat\r\n"
                                          "Exclude2=dog\r\nDomain2=example.com\r\n"
                                          "Country=9999\r\nBrowser=4\r\nTip=9\r\n"
                                          "bkgkol=14801351\r\n"),
                                 main));
    EXPECT_EQ(main.model.text(TextField::Words), "cats");
    EXPECT_EQ(main.model.text(TextField::Exact), "big cat");
    EXPECT_EQ(main.model.text(TextField::Exclude), "dog");
    EXPECT_EQ(main.model.text(TextField::Site), "example.com");
    EXPECT_EQ(main.model.selection(ListField::Country), -1);
    EXPECT_EQ(main.model.selection(ListField::Browser), -1);
    EXPECT_EQ(main.model.kindIndex(), -1);
    EXPECT_EQ(main.background, 14801352); // the sentinel colour keeps the background
    ASSERT_TRUE(readSettingsFile(settings("[Pin]\r\nbkgkol=14801352\r\n"), main));
    EXPECT_TRUE(main.called("colour 14801352"));
}

struct OpenCase {
    int code;
    SearchEngine engine; // expected engine afterwards (Bing before)
    bool pressed;        // an engine button was pressed
    bool allLinks, interLinks;
    bool menuPopsUp;
};

class OpenEngineCode : public ::testing::TestWithParam<OpenCase> {};

TEST_P(OpenEngineCode, SelectsTheEngineOfTheCode) {
    const OpenCase c = GetParam();
    test::TempDir dir;
    FakeMainWindow main;
    main.model.selectEngine(SearchEngine::Bing);
    main.calls.clear();
    const std::string path =
        dir.write("s.gms", "[Pin]\r\nTip2=" + std::to_string(c.code) + "\r\nTip=1\r\n");
    ASSERT_TRUE(readSettingsFile(path, main));
    EXPECT_EQ(main.model.engine(), c.engine);
    EXPECT_EQ(main.selections.size(), c.pressed ? 1u : 0u);
    EXPECT_EQ(main.model.crawlMarks()[CrawlMode::AllLinks], c.allLinks);
    EXPECT_EQ(main.model.crawlMarks()[CrawlMode::interLinks], c.interLinks);
    EXPECT_FALSE(main.model.crawlMarks().anyCrawl());
    if (c.pressed) {
        EXPECT_EQ(main.selections[0].popUpCrawlerMenu, c.menuPopsUp);
    }
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

INSTANTIATE_TEST_SUITE_P(
    Settings, OpenEngineCode,
    ::testing::Values(OpenCase{-3, SearchEngine::Bing, false, false, false, false},
                      OpenCase{0, SearchEngine::Bing, false, false, false, false},
                      OpenCase{1, SearchEngine::Google, true, false, false, false},
                      OpenCase{2, SearchEngine::Bing, true, false, false, false},
                      OpenCase{3, SearchEngine::DuckDuckGo, true, false, false, false},
                      OpenCase{4, SearchEngine::Wikipedia, true, false, false, false},
                      OpenCase{5, SearchEngine::Bing, false, false, false, false},
                      OpenCase{6, SearchEngine::WolframAlpha, true, false, false, false},
                      OpenCase{7, SearchEngine::Ask, true, false, false, false},
                      OpenCase{8, SearchEngine::UrbanDictionary, true, false, false, false},
                      OpenCase{9, SearchEngine::Links, true, true, false, false},
                      OpenCase{10, SearchEngine::Links, true, false, true, false},
                      OpenCase{11, SearchEngine::Links, true, false, false, true},
                      OpenCase{250, SearchEngine::Links, true, false, false, true}));

// ---- Reset all settings and the broom ---------------------------------------------------

struct ResetFixture : Fixture {
    test::RecordingMessages messages;
    Config config{dir.file("YY.cfg")};

    void fillForm() {
        main.model.selectEngine(SearchEngine::Bing);
        main.model.setKindIndex(2);
        for (TextField f :
             {TextField::Words, TextField::Exact, TextField::Exclude, TextField::Site})
            main.model.setText(f, "x");
        int index = 3;
        for (ListField l : {ListField::Browser, ListField::Interface, ListField::Country,
                            ListField::Language, ListField::FileType})
            main.model.select(l, index++);
        main.model.select(ListField::Period, 2);
    }
};

TEST_F(ResetFixture, ResetAnsweredNoChangesNothing) {
    fillForm();
    messages.answer = false;
    EXPECT_FALSE(ResetAll(main, config, messages, "firefox"));
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked[0], "  Reset all search settings ?  ");
    EXPECT_EQ(main.model.selection(ListField::Country), 5);
    EXPECT_EQ(main.model.text(TextField::Words), "x");
    EXPECT_FALSE(fileExists(config.path()));
}

TEST_F(ResetFixture, ResetReturnsTheListsAndUndoesThePins) {
    dir.write("YY.cfg", "[Color]\r\nPall=255\r\n[Pin]\r\nCountry=5\r\nPrviZagon=0\r\n");
    config.reload();
    fillForm();
    ASSERT_TRUE(ResetAll(main, config, messages, "firefox"));
    for (TextField f : {TextField::Words, TextField::Exact, TextField::Exclude, TextField::Site})
        EXPECT_EQ(main.model.text(f), "");
    EXPECT_EQ(main.model.selection(ListField::Browser), 2); // the last entry naming it
    for (ListField l : {ListField::Interface, ListField::Country, ListField::Language,
                        ListField::FileType, ListField::Period})
        EXPECT_EQ(main.model.selection(l), 0);
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

TEST_F(ResetFixture, ResetWithoutADefaultBrowserKeepsTheFirstEntry) {
    fillForm();
    ASSERT_TRUE(ResetAll(main, config, messages, ""));
    EXPECT_EQ(main.model.selection(ListField::Browser), 0);
    EXPECT_TRUE(main.called("colour 14801352")); // nothing stored: the default colour
    fillForm();
    ASSERT_TRUE(ResetAll(main, config, messages, "opera"));
    EXPECT_EQ(main.model.selection(ListField::Browser), 0);
}

TEST_F(ResetFixture, BroomWithPinsRestoresThemAndEmptiesTheRest) {
    const std::string cfgText =
        "[Pin]\r\nBrowser=1\r\nCountry=12\r\nTime=4\r\nType=notanumber\r\n[Color]\r\nPall=99\r\n";
    dir.write("YY.cfg", cfgText);
    fillForm();
    xiMetlaClick(main, config);
    for (TextField f : {TextField::Words, TextField::Exact, TextField::Exclude, TextField::Site})
        EXPECT_EQ(main.model.text(f), "");
    EXPECT_EQ(main.model.kindIndex(), 0);
    EXPECT_EQ(main.model.selection(ListField::Browser), 1);
    EXPECT_EQ(main.model.selection(ListField::Country), 12);
    EXPECT_EQ(main.model.selection(ListField::Period), 4);
    EXPECT_EQ(main.model.selection(ListField::FileType), 0);
    EXPECT_EQ(main.model.selection(ListField::Interface), 0);
    EXPECT_EQ(main.model.fragments().countryParam, "&cr=countryAW");
    EXPECT_EQ(main.model.engine(), SearchEngine::Bing);
    EXPECT_FALSE(main.called("colour 99"));
    EXPECT_EQ(dir.read("YY.cfg"), cfgText); // only read
}

TEST_F(ResetFixture, BroomWithoutPinsGoesToTheFirstEntries) {
    fillForm();
    xiMetlaClick(main, config);
    for (ListField l : {ListField::Browser, ListField::Interface, ListField::Country,
                        ListField::Language, ListField::FileType, ListField::Period})
        EXPECT_EQ(main.model.selection(l), 0);
    EXPECT_EQ(main.model.fragments(), SearchFragments{});
    EXPECT_FALSE(fileExists(config.path()));
}

} // namespace
