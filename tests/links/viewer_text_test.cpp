#include "links/viewer_text.h"

#include <array>
#include <gtest/gtest.h>

using namespace trov::links;

namespace {
using Span = std::array<std::size_t, 3>; // index, start, length

Span span(std::u16string_view text, std::size_t caret) {
    const LineSpan line = lineAt(text, caret);
    return {line.index, line.start, line.length};
}
} // namespace

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
    for (const auto& c : cases)
        EXPECT_EQ(span(text, c.caret), (Span{c.index, c.start, c.length})) << c.caret;
    // Empty lines and the final break.
    EXPECT_EQ(span(u"", 0)[2], 0u);
    EXPECT_EQ(span(u"abc\n", 4), (Span{1, 4, 0}));
    EXPECT_EQ(span(u"a\n\nb", 2), (Span{1, 2, 0}));
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
