// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/config.h"
#include "settings/data_folder.h"
#include "settings/ini.h"
#include "tests/compose/transcript.h"
#include "tests/support/env.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace trov;

// Input: a value as stored; printed: the number read, "none" when it is no number.
TEST(ProfileInt, ReadsDecimalAndBothHexForms) {
    test::expectTranscript("settings/data/settings.txt", "ProfileInt", [](const std::string& text) {
        const std::optional<int> value = parseProfileInt(text);
        return (value ? std::to_string(*value) : "none") + "\n";
    });
}

// The cases and what they print: data/settings.txt [IniRead].
TEST(IniDocument, ReadsWithoutCaseFirstMatchMalformedGiveTheDefault) {
    const auto doc = IniDocument::parse(
        "; comment\r\n[pin]\r\nBROWSER=3\r\nbrowser=9\r\n[Pin]\r\nCountry=5\r\n[Color]\r\n"
        " Pall = 0x10 \r\n[A]\nempty=\nword=abc\nbool=2\nzero=0\nquoted=\"5\"\nname=caf\xE9\n");
    test::expectTranscript("settings/data/settings.txt", "IniRead", [&doc](const std::string& in) {
        const std::string section = in.substr(0, in.find(' ')), key = in.substr(in.find(' ') + 1);
        return "int " + std::to_string(doc.readInt(section, key, -1)) + ", bool " +
               (doc.readBool(section, key, false) ? "1" : "0") +
               (doc.readBool(section, key, true) ? "1" : "0") + ", text <" +
               doc.readString(section, key, "-") + ">\n";
    });
    EXPECT_EQ(doc.sections(), (std::vector<std::string>{"pin", "Color", "A"}));
    auto written = doc;
    written.setValue("PIN", "Country", "6"); // into the first [Pin], after its last key
    EXPECT_EQ(written.keys("Pin"), (std::vector<std::string>{"BROWSER", "browser", "Country"}));
}

// Whether a section is there (its keys, its Key) as engines.cfg's reader, the engine adder's
// unique names and the recent colours ask: the first of a name, case ignored, counts.
TEST(IniDocument, SectionLookUpAnswersPresentAndAbsent) {
    const auto doc = IniDocument::parse("[Code]\nKey=cs\n ; [Commented]\n  [ Spaced ]\n"
                                        "[Empty]\n[code]\nKey=second\nx=[Inside]\n[Open\n");
    const std::tuple<const char*, bool, std::vector<std::string>, std::optional<std::string>>
        cases[] = {
            {"Code", true, {"Key"}, "cs"}, {"CODE", true, {"Key"}, "cs"}, {"Spaced", true, {}, {}},
            {"Empty", true, {}, {}},       {"Commented", false, {}, {}},  {"Inside", false, {}, {}},
            {"Open", false, {}, {}},       {"Missing", false, {}, {}},
        };
    for (const auto& [section, there, keys, key] : cases)
        EXPECT_EQ(std::tuple(doc.hasSection(section), doc.keys(section), doc.value(section, "key")),
                  std::tuple(there, keys, key))
            << section;
}

TEST(IniDocument, WritingKeepsEveryOtherLine) {
    auto doc = IniDocument::parse("; keep me\n[Pin]\nBrowser=1\n\n[Other]\nx = kept as is\n");
    doc.setValue("pin", "browser", "2");
    doc.setValue("Pin", "Time", "4");
    doc.setValue("New", "k", "v");
    EXPECT_EQ(doc.serialize(), "; keep me\r\n[Pin]\r\nbrowser=2\r\nTime=4\r\n\r\n[Other]\r\n"
                               "x = kept as is\r\n[New]\r\nk=v\r\n");
    EXPECT_EQ(IniDocument::parse(doc.serialize()).serialize(), doc.serialize());
    EXPECT_EQ(doc.keys("PIN"), (std::vector<std::string>{"browser", "Time"}));
}

TEST(IniDocument, GarbageAndHugeLinesLoadWithDefaults) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += static_cast<char>((i * 131) & 0xFF);
    const auto doc = IniDocument::parse(garbage + "\n[" + std::string(10 << 20, 'x'));
    EXPECT_EQ(doc.readInt("Pin", "Browser", 7), 7);
    const auto huge = IniDocument::parse("[Pin]\nBrowser=" + std::string(10 << 20, '9') + "\n");
    EXPECT_EQ(huge.readInt("Pin", "Browser", 7), 7);
}

// Every write reaches the disk at once, booleans as 1 and 0, over keys edited by hand meanwhile.
TEST(Config, WritesKeepKeysEditedByHandMeanwhile) {
    test::TempDir dir;
    Config config(dir.file("YY.cfg"));
    EXPECT_EQ(config.readInt(cfg::ColorPall), kDefaultBackground); // a missing file: defaults
    dir.write("YY.cfg", "[Color]\r\nPall=255\r\n");
    config.writeBool(cfg::PinPrviZagon, false);
    config.write(cfg::AppStart, 5);
    EXPECT_EQ(config.readInt(cfg::ColorPall), 255);
    dir.write("YY.cfg", dir.read("YY.cfg") + "[General]\r\nOnTop=1\r\n");
    config.writeAll({{cfg::HistSirina, 800}, {cfg::HistStatus, 0}});
    EXPECT_EQ(dir.read("YY.cfg"),
              "[Color]\r\nPall=255\r\n[Pin]\r\nPrviZagon=0\r\n[App]\r\nstart=1\r\n"
              "[General]\r\nOnTop=1\r\n[VelikostH]\r\nSirina=800\r\nStatus=0\r\n");
    IniFile(dir.file("YY.cfg")).writeBool("pin", "prvizagon", true);
    EXPECT_TRUE(Config(dir.file("YY.cfg")).readBool(cfg::PinPrviZagon));
}

TEST(Config, PlacementDefaultsFollowTheScreenStoredValuesWin) {
    test::TempDir dir;
    const Config config(dir.file("YY.cfg"), ScreenSize{1920, 1080});
    EXPECT_EQ((std::vector{config.readInt(cfg::VelikostLevo), config.readInt(cfg::VelikostGor),
                           config.readInt(cfg::HistSirina), config.readInt(cfg::HistVisina)}),
              (std::vector{1420, 880, 1770, 930}));
    dir.write("YY.cfg", "[velikost]\nlevo=-300\n[Color]\nPall=abc\n");
    const Config stored(dir.file("YY.cfg"));
    EXPECT_EQ((std::vector{stored.readInt(cfg::VelikostLevo), stored.readInt(cfg::ColorPall)}),
              (std::vector{-300, kDefaultBackground}));
}

TEST(DataFolder, CreatesTrovAndYYTempOwnerOnly) {
    test::TempDir dir;
    test::ScopedEnv env;
    env.set("XDG_DATA_HOME", dir.path() + "share");
    const DataFolder folder = DataFolder::resolve();
    EXPECT_EQ(folder.file("YY.cfg"), dir.path() + "share/Trov/YY.cfg");
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() + "YYTemp"));
    EXPECT_EQ(std::filesystem::status(folder.path()).permissions(),
              std::filesystem::perms::owner_all);
    // A Trov that cannot be made stays the data folder; its writes fail.
    dir.write("file/Trov", "a file where the folder should be");
    env.set("XDG_DATA_HOME", dir.path() + "file");
    const DataFolder blocked = DataFolder::resolve();
    EXPECT_EQ(blocked.path(), dir.path() + "file/Trov/");
    EXPECT_THROW(Config(blocked.file("YY.cfg")).write(cfg::ColorPall, 0), IniWriteError);
}
