#include "settings/ini.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace trov;

TEST(ProfileInt, ReadsDecimalAndBothHexForms) {
    const std::pair<const char*, int> good[] = {{"0", 0},
                                                {"42", 42},
                                                {"-300", -300},
                                                {"+7", 7},
                                                {" 12 ", 12},
                                                {"0x10", 16},
                                                {"0X1f", 31},
                                                {"$10", 16},
                                                {"$FFFFFFFF", -1},
                                                {"2147483647", 2147483647},
                                                {"-2147483648", -2147483647 - 1},
                                                {"14801352", 14801352}};
    for (const auto& [text, value] : good)
        EXPECT_EQ(parseProfileInt(text), value) << '"' << text << '"';
    for (const char* bad :
         {"0x", "$", "abc", "", "12abc", "1.5", "2147483648", "0x123456789", "- 1"})
        EXPECT_EQ(parseProfileInt(bad), std::nullopt) << '"' << bad << '"';
}

TEST(IniDocument, NamesCompareWithoutCaseAndFirstMatchWins) {
    const auto doc = IniDocument::parse("; comment\r\n[pin]\r\nBROWSER=3\r\nbrowser=9\r\n"
                                        "[Pin]\r\nCountry=5\r\n[Color]\r\n Pall = 0x10 \r\n");
    EXPECT_EQ(doc.readInt("Pin", "Browser", 0), 3);
    EXPECT_EQ(doc.readInt("PIN", "Country", -1), -1); // only the first [Pin] section counts
    EXPECT_EQ(doc.readInt("color", "pall", 0), 16);
    EXPECT_EQ(doc.readInt("Color", "Missing", 77), 77);
    EXPECT_EQ(doc.readString("Nope", "x", "fallback"), "fallback");
    EXPECT_EQ(doc.sections(), (std::vector<std::string>{"pin", "Color"}));
    auto written = doc;
    written.setValue("PIN", "Country", "6"); // into the first [Pin], after its last key
    EXPECT_EQ(written.readInt("Pin", "Country", -1), 6);
    EXPECT_EQ(written.keys("Pin"), (std::vector<std::string>{"BROWSER", "browser", "Country"}));
}

TEST(IniDocument, MalformedValuesGiveTheDefault) {
    const auto doc = IniDocument::parse("[A]\nempty=\nword=abc\nbool=2\nzero=0\nquoted=\"5\"\n");
    EXPECT_EQ(doc.readInt("A", "empty", 4), 4);
    EXPECT_EQ(doc.readInt("A", "word", 4), 4);
    EXPECT_TRUE(doc.readBool("A", "bool", false));
    EXPECT_FALSE(doc.readBool("A", "zero", true));
    EXPECT_TRUE(doc.readBool("A", "word", true));
    EXPECT_EQ(doc.readInt("A", "quoted", 0), 5);
    EXPECT_EQ(IniDocument::parse("[S]\nname=caf\xE9\n").readString("S", "name", ""), "café");
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

TEST(IniFile, EachWriteReachesTheDisk) {
    test::TempDir dir;
    IniFile ini(dir.file("YY.cfg"));
    EXPECT_EQ(ini.readInt("Pin", "Browser", 5), 5); // a missing file reads as defaults
    ini.writeInt("Pin", "Browser", -2);
    ini.writeBool("App", "start", false);
    EXPECT_EQ(dir.read("YY.cfg"), "[Pin]\r\nBrowser=-2\r\n[App]\r\nstart=0\r\n");
    EXPECT_EQ(IniFile(dir.file("YY.cfg")).readInt("pin", "browser", 0), -2);
}

TEST(IniFile, RefusedWriteNamesTheFile) {
    test::TempDir dir;
    // A folder where the file should be: the write is refused even for root.
    std::filesystem::create_directory(dir.file("YY.cfg"));
    IniFile ini(dir.file("YY.cfg"));
    try {
        ini.writeInt("Pin", "Browser", 1);
        FAIL() << "the write should have been refused";
    } catch (const IniWriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + dir.file("YY.cfg"));
    }
}
