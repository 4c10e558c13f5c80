// SPDX-License-Identifier: GPL-3.0-or-later
// The links viewer's core: find, the text's lines and status, the gutter, opening a line.

#include "links/find.h"
#include "links/gutter.h"
#include "links/open_url.h"
#include "links/viewer_text.h"
#include "tests/support/messages.h"

#include <array>
#include <gtest/gtest.h>

using namespace trov;
using namespace trov::links;

// Downwards from the top the first character is never a candidate, upwards it is; the end
// of the text closes a word; words are made of ASCII letters and digits only.
TEST(Find, BothWaysWithCaseAndWholeWord) {
    constexpr FindOptions down{true, false, false}, up{false, false, false};
    constexpr FindOptions downCase{true, true, false}, downWord{true, false, true};
    const std::u16string_view t = u"abc abc ABC abcd", w = u"xx-net net2 _net/ 9net";
    using Needle = std::u16string_view;
    const std::tuple<Needle, std::size_t, Needle, FindOptions, std::optional<std::size_t>> rows[] =
        {
            // clang-format off
        {t, 0, u"abc", down, 4}, {t, 0, u"a", down, 4}, {t, 4, u"abc", down, 8},
        {t, 4, u"abc", downCase, 12}, {t, 8, u"abc", down, 12}, {t, 12, u"abc", down, {}},
        {t, 0, u"abc", downWord, 4}, {t, 8, u"abc", downWord, {}}, {t, 0, u"abcd", downWord, 12},
        {t, 0, u"BC", down, 1}, {t, 0, u"bc", downWord, {}}, {t, 0, u"xyz", down, {}},
        {t, 0, u"", down, {}}, {t, 500, u"abc", down, {}}, {t, 12, u"abc", up, 8},
        {t, 8, u"abc", up, 4}, {t, 4, u"abc", up, 0}, {t, 0, u"abc", up, {}},
        {t, 16, u"abcd", up, 12}, {t, 500, u"abcd", up, 12},
        {t, 12, u"abc", {false, true, false}, 4}, {t, 16, u"abc", {false, false, true}, 8},
        {w, 0, u"net", downWord, 3}, {w, 3, u"net", downWord, 13}, {w, 13, u"net", downWord, {}},
            // clang-format on
        };
    for (const auto& [text, caret, needle, options, found] : rows)
        EXPECT_EQ(findNext(text, caret, needle, options), found) << caret << " " << needle.size();
}

TEST(Find, HiddenFindNextStartsAtTheTopAndMatchesCase) {
    EXPECT_EQ(findFirst(u"Abc abc", u"Abc"), 0u);
    EXPECT_EQ(findFirst(u"Abc abc", u"abc"), 4u);
    EXPECT_EQ(findFirst(u"Abc abc", u"ABC"), std::nullopt);
    EXPECT_EQ(findFirst(u"Abc abc", u""), std::nullopt);
    EXPECT_EQ(cannotFindNextMessage(u"word"), u"Cannot find \"word \"");
    EXPECT_EQ(cannotFindFirstMessage(u"word"), u"Cannot find word");
}

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

TEST(OpenUrl, OpensOnlyWebAddresses) {
    const auto open = [](std::string_view text) { // what it opened, then the boxes shown
        std::vector<std::string> opened;
        test::RecordingMessages messages;
        links::openUrl(
            text, [&](const std::string& a) { opened.push_back(a); }, messages);
        for (const auto& shown : messages.texts())
            opened.push_back(shown);
        return opened;
    };
    for (const std::string_view address : {"http://example.com/", "https://example.com/a?b=c d",
                                           "HTTPS://EXAMPLE.COM", "ftp://files.example.com/pub"})
        EXPECT_EQ(open(address), std::vector<std::string>{std::string(address)}) << address;
    EXPECT_EQ(open("  http://example.com/\r"), std::vector<std::string>{"http://example.com/"});
    for (std::string_view text :
         {"file:///etc/passwd", "javascript:alert(1)", "/usr/bin/xterm", "~/run.sh", "run.desktop",
          "example.com", "mailto:a@example.com", "http:example.com", "http://",
          "http:///etc/passwd", "https://a\nfile:///x", "httpx://example.com", ""})
        EXPECT_EQ(open(text), std::vector<std::string>{std::string(links::kNotAWebAddress)})
            << text;
}
