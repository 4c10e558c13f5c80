#include "compose/pin.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace trov;

TEST(SavePin, WritesTheIndexThenTheColour) {
    struct Case {
        int n;
        std::string file;
    } cases[] = {
        {1, "[Pin]\r\nBrowser=1\r\n[Color]\r\nPall=255\r\n"},
        {2, "[Pin]\r\nInterface=3\r\n[Color]\r\nPall=255\r\n"},
        {3, "[Pin]\r\nCountry=228\r\n[Color]\r\nPall=255\r\n"},
        {4, "[Pin]\r\nLanguage=-1\r\n[Color]\r\nPall=255\r\n"},
        {5, "[Pin]\r\nType=27\r\n[Color]\r\nPall=255\r\n"},
        {6, "[Pin]\r\nTime=5\r\n[Color]\r\nPall=255\r\n"},
        {0, "[Color]\r\nPall=255\r\n"},
        {7, "[Color]\r\nPall=255\r\n"},
    };
    FormModel m;
    m.setBrowsers({{"A", ""}, {"B", ""}});
    m.select(ListField::Browser, 1);
    m.select(ListField::Interface, 3);
    m.select(ListField::Country, 228);
    m.select(ListField::Language, 99);
    m.select(ListField::FileType, 27);
    m.select(ListField::Period, 5);
    for (const Case& c : cases) {
        test::TempDir dir;
        Config config(dir.file("YY.cfg"));
        SavePin(m, c.n, config, 255);
        EXPECT_EQ(dir.read("YY.cfg"), c.file) << c.n;
    }
}

TEST(SavePin, KeepsKeysAnotherWriterStoredAndARefusedWriteThrows) {
    test::TempDir dir;
    Config config(dir.file("YY.cfg"));
    dir.write("YY.cfg", "; mine\r\n[General]\r\nOnTop=0\r\n");
    FormModel m;
    SavePin(m, 6, config, 14801352);
    EXPECT_EQ(dir.read("YY.cfg"),
              "; mine\r\n[General]\r\nOnTop=0\r\n[Pin]\r\nTime=0\r\n[Color]\r\nPall=14801352\r\n");
}

TEST(SavePin, RefusedWriteNamesTheFile) {
    test::TempDir dir;
    // A folder where the file should be: no one, root included, can write it.
    const std::string path = dir.file("YY.cfg");
    std::filesystem::create_directory(path);
    Config config(path);
    FormModel m;
    try {
        SavePin(m, 1, config, 0);
        ADD_FAILURE() << "no error";
    } catch (const IniWriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
    }
    EXPECT_TRUE(std::filesystem::is_directory(path));
}
