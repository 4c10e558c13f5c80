#include "app/fade_model.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <tuple>

using namespace trov;

namespace {

constexpr Point kFarAway{1000, 900};

// A collapsed window at (100, 100) on a 1920 x 1080 monitor with a second one to its right.
FadeInputs away() {
    FadeInputs in;
    in.window = {100, 100, 458, 80};
    in.clientWidth = 458;
    in.clientHeight = 80;
    in.cursor = kFarAway;
    in.monitors = {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
    return in;
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
