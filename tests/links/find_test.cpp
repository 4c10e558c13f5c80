#include "links/find.h"

#include <gtest/gtest.h>

using namespace trov::links;

namespace {
constexpr FindOptions kDown{true, false, false}, kUp{false, false, false};
constexpr FindOptions kDownCase{true, true, false}, kDownWord{true, false, true};
} // namespace

TEST(Find, BothWaysWithCaseAndWholeWord) {
    const struct {
        std::u16string_view text;
        std::size_t caret;
        std::u16string_view needle;
        FindOptions options;
        std::optional<std::size_t> found;
    } rows[] = {
        // Downwards from the top the first character is never a candidate.
        {u"abc abc ABC abcd", 0, u"abc", kDown, 4},
        {u"abc abc ABC abcd", 0, u"a", kDown, 4},
        {u"abc abc ABC abcd", 4, u"abc", kDown, 8},
        {u"abc abc ABC abcd", 4, u"abc", kDownCase, 12}, // match case skips "ABC"
        {u"abc abc ABC abcd", 8, u"abc", kDown, 12},
        {u"abc abc ABC abcd", 12, u"abc", kDown, {}},
        {u"abc abc ABC abcd", 0, u"abc", kDownWord, 4},
        {u"abc abc ABC abcd", 8, u"abc", kDownWord, {}},  // "abcd" is not the word
        {u"abc abc ABC abcd", 0, u"abcd", kDownWord, 12}, // the end of the text closes a word
        {u"abc abc ABC abcd", 0, u"BC", kDown, 1},
        {u"abc abc ABC abcd", 0, u"bc", kDownWord, {}},
        {u"abc abc ABC abcd", 0, u"xyz", kDown, {}},
        {u"abc abc ABC abcd", 0, u"", kDown, {}},
        {u"abc abc ABC abcd", 500, u"abc", kDown, {}},
        {u"abc abc ABC abcd", 12, u"abc", kUp, 8},
        {u"abc abc ABC abcd", 8, u"abc", kUp, 4},
        {u"abc abc ABC abcd", 4, u"abc", kUp, 0}, // upwards the first character is reachable
        {u"abc abc ABC abcd", 0, u"abc", kUp, {}},
        {u"abc abc ABC abcd", 12, u"abc", {false, true, false}, 4},
        {u"abc abc ABC abcd", 16, u"abc", {false, false, true}, 8},
        {u"abc abc ABC abcd", 16, u"abcd", kUp, 12},
        {u"abc abc ABC abcd", 500, u"abcd", kUp, 12},
        // Words are made of ASCII letters and digits only: "_" is neither.
        {u"xx-net net2 _net/ 9net", 0, u"net", kDownWord, 3},
        {u"xx-net net2 _net/ 9net", 3, u"net", kDownWord, 13},
        {u"xx-net net2 _net/ 9net", 13, u"net", kDownWord, {}},
    };
    for (const auto& r : rows)
        EXPECT_EQ(findNext(r.text, r.caret, r.needle, r.options), r.found)
            << "caret " << r.caret << " needle size " << r.needle.size();
}

TEST(Find, HiddenFindNextStartsAtTheTopAndMatchesCase) {
    const std::u16string_view text = u"Abc abc";
    EXPECT_EQ(findFirst(text, u"Abc"), 0u);
    EXPECT_EQ(findFirst(text, u"abc"), 4u);
    EXPECT_EQ(findFirst(text, u"ABC"), std::nullopt);
    EXPECT_EQ(findFirst(text, u""), std::nullopt);
    EXPECT_EQ(cannotFindNextMessage(u"word"), u"Cannot find \"word \"");
    EXPECT_EQ(cannotFindFirstMessage(u"word"), u"Cannot find word");
}
