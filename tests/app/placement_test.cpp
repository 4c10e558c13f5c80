#include "app/placement.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

using namespace trov;

TEST(Placement, StartClampsInTheirOrder) {
    const ScreenSize screen{1920, 1080};
    struct Case {
        int levo, gor;
        Point expected;
    } cases[] = {
        {1420, 880, {1420, 880}}, // the defaults
        {-3, -5, {-3, -5}},       // the clamps start below -5
        {-6, -6, {5, 15}},         {-300, 100, {5, 100}},    {5000, 100, {1920 - 458, 100}},
        {1520, 100, {1520, 100}}, // exactly screen width - 400 stays
        {1521, 100, {1462, 100}},  {100, 1070, {100, 1070}}, {100, 1071, {100, 1000}},
        {100, 99999, {100, 1000}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(startPosition(c.levo, c.gor, screen, 458, 80), c.expected)
            << c.levo << "," << c.gor;
}

TEST(Placement, StartFromYYcfg) {
    test::TempDir dir;
    const Config fresh(dir.file("YY.cfg"), ScreenSize{1920, 1080});
    EXPECT_EQ(startPosition(fresh, 458, 80), (Point{1420, 880}));
    dir.write("YY.cfg", "[Velikost]\r\nLevo=5000\r\nGor=-300\r\n");
    const Config stored(dir.file("YY.cfg"), ScreenSize{1920, 1080});
    EXPECT_EQ(startPosition(stored, 458, 80), (Point{1462, 15}));
}

TEST(Placement, ExpandingSavesFirstAndSetsTheHeightAndHint) {
    ExpandModel model;
    ExpandResult r = model.toggle(80, {100, 1050}, BottomPanel{false, 1080});
    EXPECT_TRUE(r.saveSettingsFirst);
    EXPECT_EQ(r.savedPosition, (Point{100, 1050}));
    EXPECT_EQ(r.clientHeight, 440);
    EXPECT_STREQ(r.hint, "Collapse");
    EXPECT_EQ(r.position, (Point{100, 1050})); // no panel: nothing moves
    r = model.toggle(440, r.position, BottomPanel{false, 1080});
    EXPECT_FALSE(r.saveSettingsFirst);
    EXPECT_EQ(r.clientHeight, 80);
    EXPECT_STREQ(r.hint, "Expand");
}

TEST(Placement, AWindowOnTheBottomPanelIsLiftedAndPutBack) {
    const BottomPanel panel{true, 1040};
    struct Case {
        int top;
        int expandedTop;
        int collapsedTop;
    } cases[] = {
        {951, 600, 960}, // bottom within 10 px of the work area: back to resting on it
        {960, 600, 960}, {1000, 600, 960}, // below the work area's bottom
        {950, 600, 600},                   // 10 px above: lifted on expanding, stays lifted
        {700, 600, 600},                   // overflows only when expanded: lifted, stays there
        {600, 600, 600},                   // fits
        {100, 100, 100},
    };
    for (const auto& c : cases) {
        ExpandModel model;
        const ExpandResult expanded = model.toggle(80, {300, c.top}, panel);
        EXPECT_EQ(expanded.position, (Point{300, c.expandedTop})) << c.top;
        EXPECT_EQ(expanded.savedPosition, (Point{300, c.top})) << "saved before moving";
        EXPECT_EQ(model.moved(), c.top > 950);
        const ExpandResult collapsed = model.toggle(440, {300, expanded.position.y}, panel);
        EXPECT_EQ(collapsed.position, (Point{300, c.collapsedTop})) << c.top;
        EXPECT_FALSE(model.moved());
    }
}

TEST(Placement, ThePutBackPositionIsTheOneRememberedBeforeDragging) {
    ExpandModel model;
    const BottomPanel panel{true, 1040};
    model.toggle(80, {300, 1000}, panel);
    // The user drags the expanded window; collapsing still returns to the anchored spot.
    const ExpandResult r = model.toggle(440, {50, 200}, panel);
    EXPECT_EQ(r.position, (Point{300, 960}));
}
