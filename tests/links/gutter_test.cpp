#include "links/gutter.h"

#include <gtest/gtest.h>

using namespace trov::links;

TEST(Gutter, LabelsThatFit) {
    struct Case {
        int screen, label;
        std::size_t fit;
    } cases[] = {
        {1080, 15, 72}, {1080, 17, 64},  {1000, 16, 63}, // 62.5 rounds up
        {100, 40, 3},   {8000, 15, 250}, {0, 15, 0},     {1080, 0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(labelsThatFit(c.screen, c.label), c.fit) << c.screen << "/" << c.label;
}

TEST(Gutter, RenumbersTheVisibleLabelsAfterScrolling) {
    LineGutter gutter(72);
    ASSERT_EQ(gutter.labels().size(), 250u);
    EXPECT_EQ(gutter.labels().back(), "250 ");
    EXPECT_FALSE(gutter.refresh(0)); // still at the top: nothing to do
    EXPECT_TRUE(gutter.refresh(10));
    EXPECT_EQ(gutter.labels()[0], "11 ");
    EXPECT_EQ(gutter.labels()[71], "82 ");
    EXPECT_EQ(gutter.labels()[72], "73 "); // beyond the screen: as built
    EXPECT_FALSE(gutter.refresh(10));
    EXPECT_TRUE(gutter.refresh(0));
    EXPECT_EQ(gutter.labels()[0], "1 ");
    EXPECT_EQ(gutter.labels()[71], "72 ");
    LineGutter tall(labelsThatFit(20000, 15)); // a tall screen numbers every label
    tall.refresh(19990);
    EXPECT_EQ(tall.labels()[249], "20240 ");
}
