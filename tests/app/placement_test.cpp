#include "app/placement.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>

using namespace trov;

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
        {bottomPanel, 950, 600, 600},  // 10 px above: lifted on expanding, stays lifted
        {bottomPanel, 700, 600, 600},  // overflows only when expanded: lifted, stays there
        {bottomPanel, 600, 600, 600},  // fits
        {bottomPanel, 100, 100, 100},
        {topPanel, 880, 640, 640},  // the default start, with the panel at the top
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
                             top + 80 > area.bottom() - 10))
            << top;
        const ExpandResult c = model.toggle(440, {300, e.position.y}, area);
        EXPECT_EQ(std::tuple(c.position, c.saveSettingsFirst, c.expanded, c.clientHeight,
                             std::string(c.hint), model.moved()),
                  std::tuple(Point{300, collapsedTop}, false, false, 80, "Expand", false))
            << top;
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
