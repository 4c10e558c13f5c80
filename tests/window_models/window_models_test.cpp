// SPDX-License-Identifier: GPL-3.0-or-later
// The window's models: the auto-hide fade, the start position and expand placement, the
// YY.cfg keys of its life, the exit sequence and the crawl questions.

#include "history/history_store.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/temp_dir.h"
#include "window_models/crawl_questions.h"
#include "window_models/exit_sequence.h"
#include "window_models/fade_model.h"
#include "window_models/placement.h"
#include "window_models/window_keys.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <tuple>

using namespace trov;

namespace {

constexpr Point kFarAway{1000, 900};

// A collapsed window at (100, 100) on a 1920 x 1080 monitor with a second one to its right.
FadeInputs away() {
    return {false, true, false,    {100, 100, 458, 80},
            458,   80,   kFarAway, std::vector<Rect>{{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}}};
}

} // namespace

// Opaque for 100 ticks (15 s), fading for 123 more, then transparent and no longer counting.
TEST(Fade, FromOpaqueThroughFadingToTransparent) {
    FadeModel fade;
    for (int tick = 1; tick <= 240; ++tick) {
        const FadeStep step = fade.tick(away());
        const int level = std::max(455 - 2 * tick, -1);
        EXPECT_EQ(fade.level(), level) << tick;
        EXPECT_EQ(step.opacity, level > 255 ? std::nullopt : std::optional(level < 10 ? 0 : level))
            << tick;
        EXPECT_FALSE(step.toFront);
        EXPECT_EQ(fade.shown(true), level >= 10) << tick;
    }
    EXPECT_FALSE(fade.shown(false));
}

// After some ticks away, one tick with the cursor, the window or the monitors changed.
TEST(Fade, WhatBringsItBack) {
    // name, ticks away, cursor, active, minimised, visible; opacity, level, to the front
    const std::tuple<const char*, int, Point, bool, bool, bool, std::optional<int>, int, bool>
        cases[] = {
            {"hover", 150, {110, 110}, false, false, true, 255, 455, false},
            {"hover below ten", 223, {110, 110}, false, false, true, {}, 9, false},
            {"far edges, fade only", 0, {558, 180}, false, false, true, {}, 455, false},
            {"activation", 230, kFarAway, true, false, true, 255, 453, false},
            {"minimised", 230, kFarAway, false, true, false, 255, 455, false},
            {"hidden", 0, kFarAway, false, false, false, {}, 455, false},
            {"corner", 230, {13, 14}, false, false, true, 255, 453, true},
        };
    for (const auto& [name, ticks, cursor, active, minimised, visible, opacity, level, front] :
         cases) {
        FadeModel fade;
        for (int i = 0; i < ticks; ++i)
            fade.tick(away());
        FadeInputs in = away();
        std::tie(in.cursor, in.active, in.minimised, in.visible) =
            std::tuple(cursor, active, minimised, visible);
        const FadeStep step = fade.tick(in);
        EXPECT_EQ(std::tuple(step.opacity, fade.level(), step.toFront),
                  std::tuple(opacity, level, front))
            << name;
    }
}

TEST(Fade, TheCornerIsFourteenByFifteenOfTheWindowsMonitor) {
    const std::tuple<Point, int, bool> cases[] = {
        // cursor, window left, to the front
        {{0, 0}, 100, true},       {{13, 14}, 100, true},    {{14, 0}, 100, false},
        {{0, 15}, 100, false},     {{1920, 0}, 100, false},  {{1920, 0}, 2500, true},
        {{1933, 14}, 2500, true},  {{1934, 0}, 2500, false}, {{0, 0}, 2500, false},
        {{1920, -1}, 2500, false}, // above the monitor's top
    };
    for (const auto& [cursor, windowLeft, toFront] : cases) {
        FadeInputs in = away();
        in.window.left = windowLeft;
        in.cursor = cursor;
        EXPECT_EQ(FadeModel().tick(in).toFront, toFront) << cursor.x << "," << cursor.y;
    }
}

TEST(Fade, GetPolozaj) {
    const std::vector<Rect> monitors = {
        {0, 0, 1920, 1080}, {1920, 0, 1280, 1024}, {1920, 0, 1280, 1024}};
    // The centre exactly on the border is on no monitor (0); of two that hold it, the last.
    const std::pair<int, std::size_t> cases[] = {
        {0, 0}, {1920 - 229, 0}, {1920 - 228, 2}, {5000, 0}, {-229, 0}};
    for (const auto& [left, monitor] : cases)
        EXPECT_EQ(GetPolozaj({left, 0, 458, 80}, monitors), monitor) << left;
}

TEST(Placement, StartClampsInTheirOrder) {
    const ScreenSize screen{1920, 1080};
    const std::tuple<int, int, Point> cases[] = {
        // Levo, Gor, where the window goes
        {1420, 880, {1420, 880}}, // the defaults
        {-3, -5, {-3, -5}},       // the clamps start below -5
        {-6, -6, {5, 15}},         {-300, 100, {5, 100}},    {5000, 100, {1920 - 458, 100}},
        {1520, 100, {1520, 100}}, // exactly screen width - 400 stays
        {1521, 100, {1462, 100}},  {100, 1070, {100, 1070}}, {100, 1071, {100, 1000}},
        {100, 99999, {100, 1000}},
    };
    for (const auto& [levo, gor, expected] : cases)
        EXPECT_EQ(startPosition(levo, gor, screen, 458, 80), expected) << levo << "," << gor;
}

TEST(Placement, StartInsideTheWorkAreaOfAScreen) {
    const std::vector<Rect> areas{{0, 32, 1920, 1048}, {1920, 0, 1280, 984}};
    const std::pair<Point, Point> cases[] = {
        {{1420, 880}, {1420, 880}}, // inside: unchanged
        {{-3, 500}, {0, 500}},      // a few pixels off the left edge
        {{100, 10}, {100, 32}},     // under a top panel
        {{100, 1000}, {100, 1000}}, // no bottom panel: down to the screen's edge
        {{100, 1060}, {100, 1000}}, // below it
        {{1800, 100}, {1920, 100}}, // across two screens: onto the one it covers most
        {{2000, 950}, {2000, 904}}, // the second screen's bottom panel
        {{-9000, -9000}, {0, 32}},  // on no screen: the primary one
    };
    for (const auto& [at, expected] : cases)
        EXPECT_EQ(keepOnScreen(at, 458, 80, areas), expected) << at.x << "," << at.y;
}

TEST(Placement, TheFormIsLiftedIntoTheWorkAreaAndPutBack) {
    const Rect bottomPanel{0, 0, 1920, 1040};
    const Rect topPanel{0, 32, 1920, 1048}; // ends at the screen's edge, 1080
    const Rect noPanel{0, 0, 1920, 1080};
    const std::tuple<Rect, int, int, int> cases[] = {
        // area, top, expanded top, collapsed top
        {bottomPanel, 951, 600, 960}, // bottom within 10 px of the work area: back to resting on it
        {bottomPanel, 960, 600, 960},
        {bottomPanel, 1000, 600, 960}, // below the work area
        {bottomPanel, 950, 600, 950},  // 10 px above: lifted on expanding, put back
        {bottomPanel, 700, 600, 700},  // overflows only when expanded: lifted, put back
        {bottomPanel, 600, 600, 600},  // fits
        {bottomPanel, 100, 100, 100},
        {topPanel, 880, 640, 880},  // the default start, with the panel at the top
        {topPanel, 995, 640, 1000}, // resting on the screen's edge
        {noPanel, 1000, 640, 1000},
        {{0, 0, 683, 384}, 300, 0, 304}, // shorter than the form: its top stays on the screen
    };
    for (const auto& [area, top, expandedTop, collapsedTop] : cases) {
        ExpandModel model;
        const ExpandResult e = model.toggle(80, {300, top}, area);
        // The position is saved before moving.
        EXPECT_EQ(std::tuple(e.position, e.saveSettingsFirst, e.savedPosition, e.expanded,
                             e.clientHeight, std::string(e.hint), model.moved()),
                  std::tuple(Point{300, expandedTop}, true, Point{300, top}, true, 440, "Collapse",
                             expandedTop != top))
            << top;
        const ExpandResult c = model.toggle(440, {300, e.position.y}, area);
        EXPECT_EQ(std::tuple(c.position, c.saveSettingsFirst, c.expanded, c.clientHeight,
                             std::string(c.hint), model.moved()),
                  std::tuple(Point{300, collapsedTop}, false, false, 80, "Expand", false))
            << top;
    }
}

// The height picks the branch: below 350 saves and expands, 350 expands, more collapses.
TEST(Placement, TheHeightChoosesTheBranch) {
    const std::tuple<int, bool, bool> cases[] = {
        {80, true, true}, {349, true, true}, {350, false, true}, {351, false, false}};
    for (const auto& [height, saves, expands] : cases) {
        const ExpandResult r = ExpandModel().toggle(height, {300, 100}, {0, 0, 1920, 1080});
        EXPECT_EQ(std::pair(r.saveSettingsFirst, r.expanded), std::pair(saves, expands)) << height;
    }
}

TEST(Placement, ThePutBackPositionIsTheOneRememberedBeforeDragging) {
    ExpandModel model;
    const Rect area{0, 0, 1920, 1040};
    model.toggle(80, {300, 1000}, area);
    // The user drags the expanded window; collapsing still returns to the anchored spot.
    const ExpandResult r = model.toggle(440, {50, 200}, area);
    EXPECT_EQ(r.position, (Point{300, 960}));
}

// Only 1 ticks them.
TEST(WindowKeys, StartOptionsTickedOnlyByOne) {
    test::TempDir dir;
    dir.write("YY.cfg", "[Config]\r\nshowonstart=0\r\n[General]\r\nHideSek=2\r\n");
    const WindowOptions o = readWindowOptions(Config(dir.file("YY.cfg")));
    EXPECT_EQ(std::pair(o.showOnStartTicked, o.autoHide), std::pair(false, false));
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

// Only the first way of ending writes and quits; every one tells the crawl to stop.
TEST(ExitSequence, EndsOnceAndStopsTheCrawlEachTime) {
    test::TempDir dir;
    Config config(dir.file("YY.cfg"));
    HistoryStore history{DataFolder(dir.path())};
    test::ScriptedMessages messages;
    int stops = 0, quits = 0;
    ExitSequence exit(config, history, messages,
                      {[] {
                           return CloseState{false, {}, true, true, 2};
                       },
                       [&] { ++stops; }});
    exit.quit = [&] { ++quits; };
    exit.end(ExitPath::MainMenuExit);
    exit.end(ExitPath::Close);
    EXPECT_EQ(std::tuple(stops, quits, exit.ended()), std::tuple(2, 1, true));
    EXPECT_TRUE(std::filesystem::exists(dir.file("HistGrid.cld")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("YY.cfg"))); // no close keys after the Exit
}

// Where nobody may answer a box (the session ends, a signal): the save writes without
// ending, the end ends, and the refusals of both go to the report.
TEST(ExitSequence, UnattendedRefusalsGoToTheReport) {
    test::TempDir dir;
    std::filesystem::create_directory(dir.file("YY.cfg"));
    Config config(dir.file("YY.cfg"));
    HistoryStore history{DataFolder(dir.path())};
    test::ScriptedMessages boxes, report;
    int quits = 0;
    ExitSequence exit(config, history, boxes, {});
    exit.quit = [&] { ++quits; };
    exit.save(report);
    EXPECT_EQ(std::tuple(quits, exit.ended(), exit.refused()), std::tuple(0, false, true));
    exit.end(ExitPath::Close, report);
    EXPECT_EQ(std::tuple(quits, boxes.shown.size(), report.shown.size()), std::tuple(1, 0u, 4u));
    EXPECT_TRUE(std::filesystem::exists(dir.file("HistGrid.cld")));
}

TEST(CrawlQuestions, StopAndCancel) {
    const std::string cancel = "  Do you want to cancel searching ?  ";
    const std::string partial = "  Do you want to show partial results ?  ";
    test::ScriptedMessages m;
    m.answers = {true, false, true, true, true, false};
    EXPECT_TRUE(askStop(m));
    EXPECT_EQ(askCancel(m), CancelAnswer::KeepGoing); // No
    EXPECT_EQ(askCancel(m), CancelAnswer::Stop);      // Yes, Yes
    EXPECT_EQ(askCancel(m), CancelAnswer::Cancel);    // Yes, No
    EXPECT_EQ(m.asked, (std::vector<std::string>{"Stop browsing and show partial results?", cancel,
                                                 cancel, partial, cancel, partial}));
    EXPECT_EQ(m.yesPreselected, (std::vector<std::string>{partial, partial}));
}
