#include "links/find.h"

#include <gtest/gtest.h>

using namespace trov::links;

namespace {
constexpr FindOptions kDown{true, false, false};
constexpr FindOptions kUp{false, false, false};
} // namespace

TEST(Find, Downwards) {
    const std::u16string_view text = u"abc abc ABC abcd";
    struct Case {
        std::size_t caret;
        std::u16string_view needle;
        FindOptions options;
        std::optional<std::size_t> found;
    } cases[] = {
        // From the top the first character is never a candidate.
        {0, u"abc", kDown, 4},
        {0, u"a", kDown, 4},
        {4, u"abc", kDown, 8},
        {4, u"abc", {true, true, false}, 12}, // match case skips "ABC"
        {8, u"abc", kDown, 12},
        {12, u"abc", kDown, std::nullopt},
        {0, u"abc", {true, false, true}, 4},            // whole word
        {8, u"abc", {true, false, true}, std::nullopt}, // "abcd" is not the word
        {0, u"abcd", {true, false, true}, 12},          // the end of the text closes a word
        {0, u"BC", kDown, 1},
        {0, u"bc", {true, false, true}, std::nullopt},
        {0, u"xyz", kDown, std::nullopt},
        {0, u"", kDown, std::nullopt},
        {500, u"abc", kDown, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(findNext(text, c.caret, c.needle, c.options), c.found)
            << "caret " << c.caret << " needle size " << c.needle.size();
    }
}

TEST(Find, Upwards) {
    const std::u16string_view text = u"abc abc ABC abcd";
    struct Case {
        std::size_t caret;
        std::u16string_view needle;
        FindOptions options;
        std::optional<std::size_t> found;
    } cases[] = {
        {12, u"abc", kUp, 8},
        {8, u"abc", kUp, 4},
        {4, u"abc", kUp, 0}, // upwards the first character is reachable
        {0, u"abc", kUp, std::nullopt},
        {12, u"abc", {false, true, false}, 4},
        {16, u"abc", {false, false, true}, 8},
        {16, u"abcd", kUp, 12},
        {500, u"abcd", kUp, 12},
    };
    for (const auto& c : cases)
        EXPECT_EQ(findNext(text, c.caret, c.needle, c.options), c.found) << c.caret;
}

TEST(Find, WholeWordUsesAsciiLettersAndDigitsOnly) {
    const std::u16string_view text = u"xx-net net2 _net/ 9net";
    const FindOptions whole{true, false, true};
    EXPECT_EQ(findNext(text, 0, u"net", whole), 3u);
    EXPECT_EQ(findNext(text, 3, u"net", whole), 13u); // "_" is not a letter or a digit
    EXPECT_EQ(findNext(text, 13, u"net", whole), std::nullopt);
}

TEST(Find, RepeatedFindNextWalksEveryMatch) {
    const std::u16string_view text = u"http://a/\nhttp://b/\nhttp://c/\n";
    std::vector<std::size_t> seen;
    std::size_t caret = 0;
    while (const auto at = findNext(text, caret, u"http", kDown)) {
        seen.push_back(*at);
        caret = *at;
    }
    EXPECT_EQ(seen, (std::vector<std::size_t>{10, 20}));
}

TEST(Find, HiddenFindNextStartsAtTheTopAndMatchesCase) {
    const std::u16string_view text = u"Abc abc";
    EXPECT_EQ(findFirst(text, u"Abc"), 0u);
    EXPECT_EQ(findFirst(text, u"abc"), 4u);
    EXPECT_EQ(findFirst(text, u"ABC"), std::nullopt);
    EXPECT_EQ(findFirst(text, u""), std::nullopt);
}

TEST(Find, Messages) {
    EXPECT_EQ(cannotFindNextMessage(u"word"), u"Cannot find \"word \"");
    EXPECT_EQ(cannotFindFirstMessage(u"word"), u"Cannot find word");
}
