#include "app/crawl_questions.h"
#include "app/window_keys.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace trov;

using test::ScriptedMessages;

// Only 1 ticks them.
TEST(WindowKeys, StartOptionsTickedOnlyByOne) {
    test::TempDir dir;
    dir.write("YY.cfg", "[Config]\r\nshowonstart=0\r\n[General]\r\nHideSek=2\r\n");
    const WindowOptions o = readWindowOptions(Config(dir.file("YY.cfg")));
    EXPECT_FALSE(o.showOnStartTicked || o.autoHide);
}

TEST(WindowKeys, TheCloseWritesExactlyTheirKeys) {
    struct Case {
        ExitPath path;
        bool collapsed;
        const char* expected;
    } cases[] = {
        {ExitPath::Close, true,
         "[Velikost]\r\nLevo=-3\r\nGor=700\r\n[Config]\r\nload=0\r\nshowonstart=0\r\n"
         "[Pin]\r\nBrowser=4\r\nPrviZagon=0\r\n"},
        {ExitPath::Close, false,
         "[Config]\r\nshowonstart=0\r\n[Pin]\r\nBrowser=4\r\nPrviZagon=0\r\n"},
        {ExitPath::MainMenuExit, true,
         "[Velikost]\r\nLevo=-3\r\nGor=700\r\n[Config]\r\nload=0\r\n"},
        {ExitPath::MainMenuExit, false, ""},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        Config config(dir.file("YY.cfg"));
        const CloseState state{c.collapsed, {-3, 700}, false, false, 4};
        int historySaves = 0;
        const auto refused = runExitWrites(config, state, c.path, [&] { ++historySaves; });
        EXPECT_TRUE(refused.empty());
        EXPECT_EQ(historySaves, 1);
        const std::string written =
            std::filesystem::exists(dir.file("YY.cfg")) ? dir.read("YY.cfg") : std::string();
        EXPECT_EQ(written, c.expected);
    }
}

TEST(WindowKeys, ARefusedConfigWriteDoesNotCostTheHistory) {
    test::TempDir dir;
    Config config(dir.file("gone/YY.cfg"));
    int historySaves = 0;
    const auto refused =
        runExitWrites(config, CloseState{}, ExitPath::Close, [&] { ++historySaves; });
    EXPECT_EQ(historySaves, 1);
    ASSERT_EQ(refused.size(), 2u);
    EXPECT_EQ(refused[0], "Unable to write to " + dir.file("gone/YY.cfg"));
}

TEST(CrawlQuestions, StopAndCancel) {
    const std::string cancel = "  Do you want to cancel searching ?  ";
    const std::string partial = "  Do you want to show partial results ?  ";
    ScriptedMessages m;
    m.answers = {true, false, true, true, true, false};
    EXPECT_TRUE(askStop(m));
    EXPECT_EQ(askCancel(m), CancelAnswer::KeepGoing); // No
    EXPECT_EQ(askCancel(m), CancelAnswer::Stop);      // Yes, Yes
    EXPECT_EQ(askCancel(m), CancelAnswer::Cancel);    // Yes, No
    EXPECT_EQ(m.asked, (std::vector<std::string>{"Stop browsing and show partial results?", cancel,
                                                 cancel, partial, cancel, partial}));
    EXPECT_EQ(m.yesPreselected, (std::vector<std::string>{partial, partial}));
}
