#include "settings/config.h"
#include "settings/data_folder.h"
#include "tests/support/env.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace trov;

namespace {
struct ConfigFile : ::testing::Test {
    test::TempDir dir;
};
using DataFolderMade = ConfigFile;
} // namespace

TEST_F(ConfigFile, PlacementDefaultsFollowTheScreen) {
    const Config config(dir.file("YY.cfg"), ScreenSize{1920, 1080});
    EXPECT_EQ(config.readInt(cfg::VelikostLevo), 1420);
    EXPECT_EQ(config.readInt(cfg::VelikostGor), 880);
    EXPECT_EQ(config.readInt(cfg::HistSirina), 1770);
    EXPECT_EQ(config.readInt(cfg::HistVisina), 930);
}

TEST_F(ConfigFile, StoredValuesAndMalformedOnes) {
    dir.write("YY.cfg", "[velikost]\nlevo=-300\nGOR=0x10\n[General]\nOnTop=2\n[Color]\nPall=abc\n");
    const Config config(dir.file("YY.cfg"));
    EXPECT_EQ(config.readInt(cfg::VelikostLevo), -300);
    EXPECT_EQ(config.readInt(cfg::VelikostGor), 16);
    EXPECT_EQ(config.readInt(cfg::GeneralOnTop), 2);
    EXPECT_EQ(config.readInt(cfg::ColorPall), kDefaultBackground);
}

TEST_F(ConfigFile, BooleansAreWrittenAsOneAndZero) {
    Config config(dir.file("YY.cfg"));
    config.writeBool(cfg::PinPrviZagon, false);
    config.write(cfg::AppStart, 5);
    config.writeAll({{cfg::HistSirina, 800}, {cfg::HistStatus, 0}});
    EXPECT_EQ(
        dir.read("YY.cfg"),
        "[Pin]\r\nPrviZagon=0\r\n[App]\r\nstart=1\r\n[VelikostH]\r\nSirina=800\r\nStatus=0\r\n");
}

TEST_F(DataFolderMade, CreatesTrovAndYYTempOwnerOnly) {
    test::ScopedEnv env;
    env.set("XDG_DATA_HOME", dir.path() + "share");
    const DataFolder folder = DataFolder::resolve();
    EXPECT_EQ(folder.path(), dir.path() + "share/Trov/");
    EXPECT_EQ(folder.file("YY.cfg"), dir.path() + "share/Trov/YY.cfg");
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() + "YYTemp"));
    struct stat st {};
    ASSERT_EQ(::stat(folder.path().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST_F(DataFolderMade, ATrovThatCannotBeMadeStaysAndItsWritesFail) {
    dir.write("share/Trov", "a file where the folder should be");
    test::ScopedEnv env;
    env.set("XDG_DATA_HOME", dir.path() + "share");
    const DataFolder folder = DataFolder::resolve();
    EXPECT_EQ(folder.path(), dir.path() + "share/Trov/");
    Config config(folder.file("YY.cfg"));
    EXPECT_THROW(config.write(cfg::ColorPall, 0), IniWriteError);
}
