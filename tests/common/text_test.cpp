// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/text.h"

#include <gtest/gtest.h>

using namespace trov::text;

TEST(Text, CaseFoldingTouchesOnlyAsciiLetters) {
    EXPECT_EQ(toLower("AbC-Ž\xC3\x84"), "abc-Ž\xC3\x84");
    EXPECT_EQ(toUpper("straße"), "STRAßE");
    EXPECT_TRUE(equalsIgnoreCase("HistGrid.CLD", "histgrid.cld"));
    EXPECT_FALSE(equalsIgnoreCase("\xC3\x84", "\xC3\xA4")); // Ä and ä differ
    EXPECT_EQ(findIgnoreCase("Google CHROME", "chrome"), 7u);
    EXPECT_EQ(findIgnoreCase("abc", "d"), std::string_view::npos);
    EXPECT_EQ(findIgnoreCase("abc", ""), 0u);
    EXPECT_LT(compareIgnoreCase("apple", "Banana"), 0);
    EXPECT_EQ(compareIgnoreCase("ABC", "abc"), 0);
    EXPECT_LT(compareIgnoreCase("ab", "abc"), 0);
}

TEST(Text, TrimRemovesCodesOneToThirtyTwo) {
    const std::string withNul("\0x\0", 3), del = "\177a"; // NUL and DEL are kept
    const struct {
        std::string in, both, left, right, spaces;
    } cases[] = {{"  a b  ", "a b", "a b  ", "  a b", "  a b"},
                 {"\t\r\na\x01\x1f", "a", "a\x01\x1f", "\t\r\na", "\t\r\na\x01\x1f"},
                 {"", "", "", "", ""},
                 {"    ", "", "", "", ""},
                 {"a \t ", "a", "a \t ", "a", "a \t"},
                 {withNul, withNul, withNul, withNul, withNul},
                 {del, del, del, del, del}};
    for (const auto& c : cases)
        EXPECT_EQ(std::tuple(trim(c.in), trimLeft(c.in), trimRight(c.in), rightTrimSpaces(c.in)),
                  std::tuple(c.both, c.left, c.right, c.spaces))
            << c.in;
}

TEST(Text, ReplaceAndSplit) {
    EXPECT_EQ(replaced("a+b+c", "+", "%2B"), "a%2Bb%2Bc");
    EXPECT_EQ(replaced("aaa", "aa", "b"), "ba");
    EXPECT_EQ(replaced("x", "", "y"), "x");
    EXPECT_EQ(split("a,,b,", ','), (std::vector<std::string>{"a", "", "b", ""}));
    EXPECT_EQ(split("", ','), (std::vector<std::string>{""}));
}

TEST(Text, Utf8ValidityAndWindows1252Fallback) {
    EXPECT_TRUE(isValidUtf8("plain"));
    EXPECT_TRUE(isValidUtf8("\xC5\xBD\xE2\x82\xAC\xF0\x9F\x98\x80"));
    // Overlong, surrogate, truncated, Windows-1252 é.
    for (const char* bad : {"\xC0\xAF", "\xED\xA0\x80", "\xE2\x82", "caf\xE9"})
        EXPECT_FALSE(isValidUtf8(bad)) << bad;
    EXPECT_EQ(windows1252ToUtf8("caf\xE9 \x80 \x9E\x8A"), "café € žŠ");
    EXPECT_EQ(windows1252ToUtf8("\x81"), "\xC2\x81"); // unassigned stays a C1 control
    EXPECT_EQ(decodeStoredText("café"), "café");
    EXPECT_EQ(decodeStoredText("caf\xE9"), "café");
}

TEST(Text, CutUtf8NeverSplitsASequence) {
    const std::string euro = "\xE2\x82\xAC"; // three bytes
    const std::tuple<std::string, std::size_t, std::size_t> cases[] = {
        // text, at most, kept
        {"abcdef", 4, 4},    {"ab", 4, 2},
        {"a" + euro, 1, 1},  {"a" + euro, 2, 1},
        {"a" + euro, 3, 1},  {"a" + euro, 4, 4},
        {euro + euro, 5, 3}, {"\x80\x80\x80\x80\x80", 4, 4}};
    for (const auto& [in, max, kept] : cases)
        EXPECT_EQ(cutUtf8(in, max).size(), kept) << in << " " << max;
}
