#include "links/find.h"

#include <gtest/gtest.h>

using namespace trov::links;

// Downwards from the top the first character is never a candidate, upwards it is; the end
// of the text closes a word; words are made of ASCII letters and digits only.
TEST(Find, BothWaysWithCaseAndWholeWord) {
    constexpr FindOptions down{true, false, false}, up{false, false, false};
    constexpr FindOptions downCase{true, true, false}, downWord{true, false, true};
    const std::u16string_view t = u"abc abc ABC abcd", w = u"xx-net net2 _net/ 9net";
    const struct {
        std::u16string_view text;
        std::size_t caret;
        std::u16string_view needle;
        FindOptions options;
        std::optional<std::size_t> found;
    } rows[] = {
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
    for (const auto& r : rows)
        EXPECT_EQ(findNext(r.text, r.caret, r.needle, r.options), r.found)
            << "caret " << r.caret << " needle size " << r.needle.size();
}

TEST(Find, HiddenFindNextStartsAtTheTopAndMatchesCase) {
    EXPECT_EQ(findFirst(u"Abc abc", u"Abc"), 0u);
    EXPECT_EQ(findFirst(u"Abc abc", u"abc"), 4u);
    EXPECT_EQ(findFirst(u"Abc abc", u"ABC"), std::nullopt);
    EXPECT_EQ(findFirst(u"Abc abc", u""), std::nullopt);
    EXPECT_EQ(cannotFindNextMessage(u"word"), u"Cannot find \"word \"");
    EXPECT_EQ(cannotFindFirstMessage(u"word"), u"Cannot find word");
}
