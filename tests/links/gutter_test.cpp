#include "links/gutter.h"

#include <gtest/gtest.h>

using namespace trov::links;

TEST(Gutter, LabelsThatFit) {
    const std::tuple<int, int, std::size_t> rows[] = {
        {1080, 15, 72}, {1080, 17, 64},  {1000, 16, 63}, // 62.5 rounds up
        {100, 40, 3},   {8000, 15, 250}, {0, 15, 0},     {1080, 0, 0}};
    for (const auto& [screen, label, fit] : rows)
        EXPECT_EQ(labelsThatFit(screen, label), fit) << screen << "/" << label;
}

// Labels beyond the screen stay as built; a tall screen numbers every label.
TEST(Gutter, RenumbersTheVisibleLabelsAfterScrolling) {
    LineGutter gutter(72);
    ASSERT_EQ(gutter.labels().size(), 250u);
    EXPECT_EQ(gutter.labels().back(), "250 ");
    EXPECT_FALSE(gutter.refresh(0)); // still at the top: nothing to do
    EXPECT_TRUE(gutter.refresh(10));
    EXPECT_EQ(gutter.labels()[0] + gutter.labels()[71] + gutter.labels()[72], "11 82 73 ");
    EXPECT_FALSE(gutter.refresh(10));
    EXPECT_TRUE(gutter.refresh(0));
    EXPECT_EQ(gutter.labels()[0] + gutter.labels()[71], "1 72 ");
    LineGutter tall(labelsThatFit(20000, 15));
    tall.refresh(19990);
    EXPECT_EQ(tall.labels()[249], "20240 ");
}
