#include "links/viewer_text.h"

#include <array>
#include <gtest/gtest.h>

using namespace trov::links;

using Span = std::array<std::size_t, 3>; // index, start, length

TEST(ViewerText, LineAtTheCaretAndLineCount) {
    const std::u16string_view text = u"http://a.example/\nhttp://bb.example/\nhttp://c.example/x";
    const struct {
        std::u16string_view text;
        std::size_t caret;
        Span line;
    } rows[] = {
        {text, 0, {0, 0, 17}},     {text, 5, {0, 0, 17}},
        {text, 17, {0, 0, 17}}, // end of line 1, before its break
        {text, 18, {1, 18, 18}},   {text, 36, {1, 18, 18}},
        {text, 37, {2, 37, 18}},   {text, 55, {2, 37, 18}},
        {text, 999, {2, 37, 18}}, // past the end: the last line
        {u"", 0, {0, 0, 0}},       {u"abc\n", 4, {1, 4, 0}},
        {u"a\n\nb", 2, {1, 2, 0}},
    };
    for (const auto& r : rows) {
        const LineSpan line = lineAt(r.text, r.caret);
        EXPECT_EQ((Span{line.index, line.start, line.length}), r.line) << r.caret;
    }
    const std::pair<std::u16string_view, std::size_t> counts[] = {
        {u"", 0},          {u"a", 1},  {u"a\n", 1},   {u"a\nb", 2},
        {u"a\nb\nc\n", 3}, {u"\n", 1}, {u"a\n\n", 2},
    };
    for (const auto& [t, lines] : counts)
        EXPECT_EQ(lineCount(t), lines);
}

TEST(ViewerText, StatusTexts) {
    EXPECT_EQ(lineStatus(2, 3), "Ln 3 : 3");
    EXPECT_EQ(lineStatus(0, 0), "Ln 1 : 0");
    EXPECT_EQ(columnStatus(0, 24), "Col 1 : 24");
    EXPECT_EQ(columnStatus(24, 24), "Col 25 : 24");
    EXPECT_EQ(sizeStatus(0), "Characters: 0");
    EXPECT_EQ(sizeStatus(20006), "Characters: 20006");
}
