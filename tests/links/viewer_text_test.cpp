#include "links/viewer_text.h"

#include <array>
#include <gtest/gtest.h>

using namespace trov::links;

// A caret at a line's end belongs to it, one past the end of the text to the last line.
TEST(ViewerText, LineAtTheCaretAndLineCount) {
    using Span = std::array<std::size_t, 3>; // index, start, length
    const std::u16string_view t = u"http://a.example/\nhttp://bb.example/\nhttp://c.example/x";
    const std::tuple<std::u16string_view, std::size_t, Span> rows[] = {
        // clang-format off
        {t, 0, {0, 0, 17}},   {t, 5, {0, 0, 17}},   {t, 17, {0, 0, 17}},   {t, 18, {1, 18, 18}},
        {t, 36, {1, 18, 18}}, {t, 37, {2, 37, 18}}, {t, 55, {2, 37, 18}},  {t, 999, {2, 37, 18}},
        {u"", 0, {0, 0, 0}},  {u"abc\n", 4, {1, 4, 0}}, {u"a\n\nb", 2, {1, 2, 0}}};
    const std::pair<std::u16string_view, std::size_t> counts[] = {
        {u"", 0}, {u"a", 1}, {u"a\n", 1}, {u"a\nb", 2}, {u"a\nb\nc\n", 3}, {u"\n", 1},
        {u"a\n\n", 2}};
    // clang-format on
    for (const auto& [text, caret, span] : rows) {
        const LineSpan line = lineAt(text, caret);
        EXPECT_EQ((Span{line.index, line.start, line.length}), span) << caret;
    }
    for (const auto& [text, lines] : counts)
        EXPECT_EQ(lineCount(text), lines);
    EXPECT_EQ(lineStatus(2, 3) + lineStatus(0, 0), "Ln 3 : 3Ln 1 : 0");
    EXPECT_EQ(columnStatus(0, 24) + columnStatus(24, 24), "Col 1 : 24Col 25 : 24");
    EXPECT_EQ(sizeStatus(0) + sizeStatus(20006), "Characters: 0Characters: 20006");
}
