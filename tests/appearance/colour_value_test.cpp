#include "appearance/colour.h"

#include <gtest/gtest.h>

using namespace trov;

TEST(ColourValue, BrightnessAndContrast) {
    struct Case {
        int colour;
        int brightness;
        int contrast;
    } cases[] = {
        {14801352, 214, kBlack},
        {0, 0, kWhite},
        {255, 125, kWhite},
        {65280, 212, kBlack},
        {16711680, 66, kWhite},
        {10526880, 160, kWhite},
        {colourValue(161, 161, 161), 161, kBlack},
        {kWhite, 255, kBlack},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(perceivedBrightness(c.colour), c.brightness) << c.colour;
        EXPECT_EQ(contrastColour(c.colour), c.contrast) << c.colour;
    }
}

TEST(ColourValue, RedIsTheLowByte) {
    EXPECT_EQ(colourValue(200, 217, 225), 14801352);
    EXPECT_EQ(redOf(14801352), 200);
    EXPECT_EQ(greenOf(14801352), 217);
    EXPECT_EQ(blueOf(14801352), 225);
}
