#include "settings/config.h"
#include "settings/data_folder.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace trov;

TEST(Config, EveryKeyHasItsDefaultOnAFreshProfile) {
    test::TempDir dir;
    const Config config(dir.file("YY.cfg"), ScreenSize{1920, 1080});
    struct Case {
        ConfigKey key;
        int value;
    } cases[] = {
        {cfg::AppStart, 1},          {cfg::PinPrviZagon, 1},  {cfg::PinBrowser, 0},
        {cfg::PinInterface, 0},      {cfg::PinCountry, 0},    {cfg::PinLanguage, 0},
        {cfg::PinType, 0},           {cfg::PinTime, 0},       {cfg::ColorPall, 14801352},
        {cfg::VelikostLevo, 1420},   {cfg::VelikostGor, 880}, {cfg::OptionsOptAutohide, 0},
        {cfg::GeneralHideSek, 0},    {cfg::GeneralOnTop, 1},  {cfg::ConfigLoad, 1},
        {cfg::ConfigShowOnStart, 1}, {cfg::HistLevo, 10},     {cfg::HistGor, 10},
        {cfg::HistSirina, 1770},     {cfg::HistVisina, 930},  {cfg::HistStatus, 2},
    };
    ASSERT_EQ(std::size(cases), cfg::kAllKeys.size());
    for (const auto& c : cases)
        EXPECT_EQ(config.readInt(c.key), c.value) << c.key.section << "/" << c.key.name;
}

TEST(Config, StoredValuesAndMalformedOnes) {
    test::TempDir dir;
    dir.write("YY.cfg", "[velikost]\nlevo=-300\nGOR=0x10\n[General]\nOnTop=2\n[Color]\nPall=abc\n");
    const Config config(dir.file("YY.cfg"));
    EXPECT_EQ(config.readInt(cfg::VelikostLevo), -300);
    EXPECT_EQ(config.readInt(cfg::VelikostGor), 16);
    EXPECT_EQ(config.readInt(cfg::GeneralOnTop), 2);
    EXPECT_EQ(config.readInt(cfg::ColorPall), kDefaultBackground);
}

TEST(Config, BooleansAreWrittenAsOneAndZero) {
    test::TempDir dir;
    Config config(dir.file("YY.cfg"));
    config.writeBool(cfg::PinPrviZagon, false);
    config.write(cfg::AppStart, 5);
    config.writeAll({{cfg::HistSirina, 800}, {cfg::HistStatus, 0}});
    EXPECT_EQ(
        dir.read("YY.cfg"),
        "[Pin]\r\nPrviZagon=0\r\n[App]\r\nstart=1\r\n[VelikostH]\r\nSirina=800\r\nStatus=0\r\n");
}

TEST(DataFolder, CreatesTrovAndYYTempOwnerOnly) {
    test::TempDir dir;
    setenv("XDG_DATA_HOME", (dir.path() + "share").c_str(), 1);
    const DataFolder folder = DataFolder::resolve();
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(folder.path(), dir.path() + "share/Trov/");
    EXPECT_EQ(folder.file("YY.cfg"), dir.path() + "share/Trov/YY.cfg");
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() + "YYTemp"));
    struct stat st {};
    ASSERT_EQ(::stat(folder.path().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST(DataFolder, ATrovThatCannotBeMadeStaysAndItsWritesFail) {
    test::TempDir dir;
    dir.write("share/Trov", "a file where the folder should be");
    setenv("XDG_DATA_HOME", (dir.path() + "share").c_str(), 1);
    const DataFolder folder = DataFolder::resolve();
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(folder.path(), dir.path() + "share/Trov/");
    Config config(folder.file("YY.cfg"));
    EXPECT_THROW(config.write(cfg::ColorPall, 0), IniWriteError);
}
