#include "common/text.h"
#include "suggest/suggestion_text.h"

#include <gtest/gtest.h>
#include <random>

using namespace trov;
using V = std::vector<std::string>;

TEST(SuggestionParse, StoredLinesAndTheirQuirks) {
    const struct {
        std::string text;
        V entries;
    } cases[] = {
        {"", {}},
        {"   ", {}},
        {"|cats", {"cat"}},     // unclosed: the last character goes
        {"|cats  ", {"cats "}}, // a stored line's CR LF as two blanks
        {"|cats|;|dogs  ", {"cats", "dogs "}},
        {"|a b|;|c;d|;|e  ", {"a b", "c;d", "e "}},
        {"|", {""}},
        {"|x", {""}},
        {"|a|;", {"a", ""}}, // nothing after the ";": one empty entry
        {"|a|; ", {"a"}},
        {"plain;words here", {"plain", "words", "here"}},
        {"|a|b;c", {"a", "b", "c"}},
        {";;", {"", "", ""}},
        {"|a||b|;|c||  ", {"a|b", "c| "}}, // doubled quotes are one
        {"|a||b  ", {"a|b "}},
        {std::string("|a|;|b\0|c|", 10), {"a", ""}}, // a NUL ends the text
        {"\x01\x02|x|\x1f;\x20|y|", {"x", "y"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseSuggestionText(c.text), c.entries) << c.text;
}

TEST(SuggestionParse, JoinedEntriesReadBackWithTheTrailingBlank) {
    const V entries = {"cats", "a|b", "|", "", "x;y", "  lead", "tail|"};
    std::string line = joinSuggestionText(entries) + "\r\n";
    blankLineBreaks(line);
    V back = parseSuggestionText(line);
    ASSERT_EQ(back.size(), entries.size());
    EXPECT_EQ(back.back(), "tail| ");
    back.back() = "tail|";
    EXPECT_EQ(back, entries);
    EXPECT_EQ(joinSuggestionText({"cats", "dogs"}), "|cats|;|dogs");
    EXPECT_EQ(joinSuggestionText({}), "");
}

namespace {

// The pass as a pairwise scan over the surviving entries, the way it reads.
V pairwise(V v) {
    for (std::size_t i = v.size(); i-- > 1;) {
        if (i >= v.size())
            continue;
        const std::string key = text::toLower(text::trim(v[i]));
        for (std::size_t j = i; j-- > 0;)
            if (text::toLower(v[j]) == key) {
                v.erase(v.begin() + std::ptrdiff_t(j));
                --i;
            }
    }
    return v;
}

} // namespace

TEST(SuggestionDeduplicate, TheLastOfEqualEntriesSurvives) {
    const struct {
        V in, out;
    } cases[] = {
        {{"cats", "Cats", "dogs", "CATS"}, {"dogs", "CATS"}},
        {{"dogs", "dogs "}, {"dogs "}},         // the later trimmed key removes the earlier
        {{"dogs ", "dogs"}, {"dogs ", "dogs"}}, // an untrimmed earlier entry stays
        {{"\xC3\x84", "\xC3\xA4"}, {"\xC3\x84", "\xC3\xA4"}}, // only ASCII folds
        {{"a"}, {"a"}},
        {{}, {}},
    };
    for (const auto& c : cases) {
        V v = c.in;
        deduplicateSuggestions(v);
        EXPECT_EQ(v, c.out);
        EXPECT_EQ(pairwise(c.in), c.out);
    }
}

TEST(SuggestionDeduplicate, SameResultAsThePairwiseScan) {
    std::mt19937 rng(7);
    const V pool = {"a", "A", "a ", " a", "b", "B ", "ab", "", " ", "Ab"};
    for (int round = 0; round < 2000; ++round) {
        V v;
        const int n = int(rng() % 12);
        for (int i = 0; i < n; ++i)
            v.push_back(pool[rng() % pool.size()]);
        V fast = v;
        deduplicateSuggestions(fast);
        ASSERT_EQ(fast, pairwise(v)) << round;
    }
}
