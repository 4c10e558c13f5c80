#include "app/fade_model.h"

#include <gtest/gtest.h>

using namespace trov;

namespace {

// A collapsed window at (100, 100) on one 1920 x 1080 monitor, the cursor far away.
FadeInputs away() {
    FadeInputs in;
    in.window = {100, 100, 458, 80};
    in.clientWidth = 458;
    in.clientHeight = 80;
    in.cursor = {1000, 900};
    in.monitors = {{0, 0, 1920, 1080}};
    return in;
}

} // namespace

TEST(Fade, OpaqueForFifteenSecondsThenFadingForAboutEighteenAndAHalf) {
    FadeModel fade;
    const FadeInputs in = away();
    int lastOpaqueTick = 0, firstFadingTick = 0, firstTransparentTick = 0;
    for (int tick = 1; tick <= 300; ++tick) {
        const FadeStep step = fade.tick(in);
        EXPECT_FALSE(step.toFront);
        if (tick < 100) {
            EXPECT_FALSE(step.opacity) << tick; // still above 255: nothing set
            lastOpaqueTick = tick;
        } else if (step.opacity && *step.opacity > 0 && *step.opacity < 255 && !firstFadingTick) {
            firstFadingTick = tick;
        } else if (step.opacity && *step.opacity == 0 && !firstTransparentTick) {
            firstTransparentTick = tick;
        }
        if (tick >= 100) {
            ASSERT_TRUE(step.opacity) << tick;
        }
        if (tick >= 100 && tick <= 222) {
            EXPECT_EQ(*step.opacity, 455 - 2 * tick) << tick;
        }
    }
    EXPECT_EQ(lastOpaqueTick, 99);
    EXPECT_EQ(firstFadingTick, 101);
    EXPECT_EQ(firstTransparentTick, 223);
    // 100 ticks of 150 ms opaque; 123 ticks (18.45 s) of fading; transparent after.
    EXPECT_EQ(100 * kFadeTickMs, 15000);
    EXPECT_EQ((firstTransparentTick - 100) * kFadeTickMs, 18450);
    EXPECT_EQ(fade.level(), -1); // stops counting once below zero
    EXPECT_FALSE(fade.shown(true));
}

TEST(Fade, LevelAfterTicks) {
    struct Case {
        int ticks;
        int level;
        bool shown;
    } cases[] = {{0, 455, true},  {1, 453, true},  {100, 255, true}, {222, 11, true},
                 {223, 9, false}, {227, 1, false}, {228, -1, false}, {500, -1, false}};
    for (const auto& c : cases) {
        FadeModel fade;
        for (int i = 0; i < c.ticks; ++i)
            fade.tick(away());
        EXPECT_EQ(fade.level(), c.level) << c.ticks;
        EXPECT_EQ(fade.shown(true), c.shown) << c.ticks;
        EXPECT_FALSE(fade.shown(false));
    }
}

TEST(Fade, HoverBringsItBackOnlyWhileAboveTen) {
    FadeModel fade;
    for (int i = 0; i < 150; ++i)
        fade.tick(away());
    FadeInputs hover = away();
    hover.cursor = {110, 110};
    FadeStep step = fade.tick(hover);
    EXPECT_EQ(step.opacity, 255);
    EXPECT_EQ(fade.level(), 455);

    for (int i = 0; i < 223; ++i)
        fade.tick(away());
    ASSERT_EQ(fade.level(), 9);
    step = fade.tick(hover);
    EXPECT_FALSE(step.opacity); // inside the window: no fade, no return either
    EXPECT_EQ(fade.level(), 9);
}

TEST(Fade, TheFarEdgesNeitherHoverNorFade) {
    FadeModel fade;
    FadeInputs edge = away();
    edge.cursor = {100 + 458, 100 + 80}; // x = width, y = client height
    for (int i = 0; i < 5; ++i)
        fade.tick(edge);
    EXPECT_EQ(fade.level(), 455);
}

TEST(Fade, ActivationMinimiseAndCorner) {
    FadeModel fade;
    for (int i = 0; i < 230; ++i)
        fade.tick(away());
    FadeInputs active = away();
    active.active = true;
    EXPECT_EQ(fade.tick(active).opacity, 255); // back to 455, then this tick's fade step
    EXPECT_EQ(fade.level(), 453);

    for (int i = 0; i < 230; ++i)
        fade.tick(away());
    FadeInputs minimised = away();
    minimised.minimised = true;
    minimised.visible = false;
    EXPECT_EQ(fade.tick(minimised).opacity, 255);
    EXPECT_EQ(fade.level(), 455);

    for (int i = 0; i < 230; ++i)
        fade.tick(away());
    FadeInputs corner = away();
    corner.cursor = {13, 14};
    const FadeStep step = fade.tick(corner);
    EXPECT_TRUE(step.toFront);
    EXPECT_EQ(fade.level(), 453);
}

TEST(Fade, TheCornerIsFourteenByFifteenOfTheWindowsMonitor) {
    struct Case {
        Point cursor;
        int windowLeft;
        bool toFront;
    } cases[] = {
        {{0, 0}, 100, true},       {{13, 14}, 100, true},    {{14, 0}, 100, false},
        {{0, 15}, 100, false},     {{1920, 0}, 100, false},  {{1920, 0}, 2500, true},
        {{1933, 14}, 2500, true},  {{1934, 0}, 2500, false}, {{0, 0}, 2500, false},
        {{1920, -1}, 2500, false}, // above the monitor's top
    };
    for (const auto& c : cases) {
        FadeModel fade;
        FadeInputs in = away();
        in.monitors = {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
        in.window.left = c.windowLeft;
        in.cursor = c.cursor;
        EXPECT_EQ(fade.tick(in).toFront, c.toFront) << c.cursor.x << "," << c.cursor.y;
    }
}

TEST(Fade, GetPolozaj) {
    const std::vector<Rect> monitors = {
        {0, 0, 1920, 1080}, {1920, 0, 1280, 1024}, {1920, 0, 1280, 1024}};
    struct Case {
        int left;
        std::size_t monitor;
    } cases[] = {
        {0, 0},          {1920 - 229, 0}, // centre exactly on the border: no monitor, so 0
        {1920 - 228, 2},                  // the last of two that contain it
        {5000, 0},       {-229, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetPolozaj({c.left, 0, 458, 80}, monitors), c.monitor) << c.left;
}

TEST(Fade, AHiddenWindowDoesNotFade) {
    FadeModel fade;
    FadeInputs in = away();
    in.visible = false;
    for (int i = 0; i < 300; ++i)
        EXPECT_FALSE(fade.tick(in).opacity);
    EXPECT_EQ(fade.level(), 455);
}
