#include "appearance/colour_pick.h"

#include <gtest/gtest.h>

using namespace trov;

TEST(ColourPick, PreviewsOnlyAChangeOfColourEvenAcrossPicks) {
    ColourPick pick;
    pick.begin(14801352);
    EXPECT_EQ(pick.moved(255), 255);
    EXPECT_EQ(pick.moved(255), std::nullopt);
    EXPECT_EQ(pick.moved(65280), 65280);
    EXPECT_EQ(pick.moved(255), 255);
    pick.pressed(PickButton::Right, 255);
    pick.begin(2);
    EXPECT_EQ(pick.moved(255), std::nullopt); // the last preview survives into the next pick
}

TEST(ColourPick, ButtonsDecideTheResult) {
    struct Case {
        PickButton button;
        bool closes;
        bool accepted;
        int result;
    } cases[] = {
        {PickButton::Left, true, true, 255},
        {PickButton::Right, true, false, 14801352},
        {PickButton::Other, false, false, 14801352},
    };
    for (const auto& c : cases) {
        ColourPick pick;
        pick.begin(14801352);
        pick.moved(65280);
        EXPECT_EQ(pick.pressed(c.button, 255), c.closes);
        EXPECT_EQ(pick.accepted(), c.accepted);
        EXPECT_EQ(pick.result(), c.result);
    }
}

TEST(ColourPick, ANewPickForgetsTheLastAcceptance) {
    ColourPick pick;
    pick.begin(1);
    pick.pressed(PickButton::Left, 255);
    pick.begin(7);
    EXPECT_FALSE(pick.accepted());
    EXPECT_EQ(pick.result(), 7); // closed without a button: cancelled
}
