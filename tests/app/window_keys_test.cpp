#include "app/crawl_questions.h"
#include "app/window_keys.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/temp_dir.h"

#include <deque>
#include <filesystem>
#include <gtest/gtest.h>

using namespace trov;

using test::ScriptedMessages;

// The fresh and the stored profile are read through the window's start-up; these are the
// values that only count as ticked when they say 1.
TEST(WindowKeys, StartOptionsTickedOnlyByOne) {
    test::TempDir dir;
    dir.write("YY.cfg", "[Config]\r\nshowonstart=0\r\n[General]\r\nHideSek=2\r\n");
    const WindowOptions o = readWindowOptions(Config(dir.file("YY.cfg")));
    EXPECT_FALSE(o.showOnStartTicked);
    EXPECT_FALSE(o.autoHide);
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
        CloseState state;
        state.collapsed = c.collapsed;
        state.normalPosition = {-3, 700};
        state.loadAtStartup = false;
        state.showOnStartTicked = false;
        state.browserIndex = 4;
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
    ScriptedMessages m;
    m.answers = {true};
    EXPECT_TRUE(askStop(m));
    EXPECT_EQ(m.asked.back(), "Stop browsing and show partial results?");

    struct Case {
        std::deque<bool> answers;
        CancelAnswer expected;
        std::size_t questions;
    } cases[] = {
        {{false}, CancelAnswer::KeepGoing, 1},
        {{true, true}, CancelAnswer::Stop, 2},
        {{true, false}, CancelAnswer::Cancel, 2},
    };
    for (const auto& c : cases) {
        ScriptedMessages s;
        s.answers = c.answers;
        EXPECT_EQ(askCancel(s), c.expected);
        ASSERT_EQ(s.asked.size(), c.questions);
        EXPECT_EQ(s.asked[0], "  Do you want to cancel searching ?  ");
        if (c.questions == 2) {
            EXPECT_EQ(s.asked[1], "  Do you want to show partial results ?  ");
            EXPECT_EQ(s.yesPreselected, std::vector<std::string>{s.asked[1]});
        }
    }
}
