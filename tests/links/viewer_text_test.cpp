#include "links/viewer_text.h"

#include <gtest/gtest.h>

using namespace trov::links;

TEST(ViewerText, LineAtTheCaret) {
    const std::u16string_view text = u"http://a.example/\nhttp://bb.example/\nhttp://c.example/x";
    struct Case {
        std::size_t caret;
        std::size_t index, start, length;
    } cases[] = {
        {0, 0, 0, 17},   {5, 0, 0, 17},    {17, 0, 0, 17}, // end of line 1, before its break
        {18, 1, 18, 18}, {36, 1, 18, 18},  {37, 2, 37, 18},
        {55, 2, 37, 18}, {999, 2, 37, 18}, // past the end: the last line
    };
    for (const auto& c : cases) {
        const LineSpan line = lineAt(text, c.caret);
        EXPECT_EQ(line.index, c.index) << c.caret;
        EXPECT_EQ(line.start, c.start) << c.caret;
        EXPECT_EQ(line.length, c.length) << c.caret;
    }
}

TEST(ViewerText, EmptyLinesAndTheFinalBreak) {
    EXPECT_EQ(lineAt(u"", 0).length, 0u);
    const LineSpan afterBreak = lineAt(u"abc\n", 4);
    EXPECT_EQ(afterBreak.index, 1u);
    EXPECT_EQ(afterBreak.start, 4u);
    EXPECT_EQ(afterBreak.length, 0u);
    const LineSpan blank = lineAt(u"a\n\nb", 2);
    EXPECT_EQ(blank.index, 1u);
    EXPECT_EQ(blank.start, 2u);
    EXPECT_EQ(blank.length, 0u);
}

TEST(ViewerText, LineCount) {
    struct Case {
        std::u16string_view text;
        std::size_t lines;
    } cases[] = {
        {u"", 0},          {u"a", 1},  {u"a\n", 1},   {u"a\nb", 2},
        {u"a\nb\nc\n", 3}, {u"\n", 1}, {u"a\n\n", 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lineCount(c.text), c.lines);
}

TEST(ViewerText, StatusTexts) {
    EXPECT_EQ(lineStatus(2, 3), "Ln 3 : 3");
    EXPECT_EQ(lineStatus(0, 0), "Ln 1 : 0");
    EXPECT_EQ(columnStatus(0, 24), "Col 1 : 24");
    EXPECT_EQ(columnStatus(24, 24), "Col 25 : 24");
    EXPECT_EQ(sizeStatus(0), "Characters: 0");
    EXPECT_EQ(sizeStatus(20006), "Characters: 20006");
}
