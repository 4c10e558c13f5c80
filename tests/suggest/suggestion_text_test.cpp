// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/text.h"
#include "suggest/drop_down.h"
#include "suggest/suggestion_text.h"
#include "tests/compose/transcript.h"

#include <gtest/gtest.h>
#include <random>

using namespace trov;
using V = std::vector<std::string>;

namespace {

std::string shown(const V& entries) {
    std::string out;
    for (const std::string& e : entries)
        out += (out.empty() ? "<" : " <") + test::escaped(e) + ">";
    return (entries.empty() ? "none" : out) + "\n";
}

// The entries of an input, each in <...>.
V entriesOf(const std::string& in) {
    V entries;
    for (std::size_t open = in.find('<'); open != std::string::npos; open = in.find('<', open + 1))
        entries.push_back(in.substr(open + 1, in.find('>', open) - open - 1));
    return entries;
}

} // namespace

// The cases and what they print: data/suggest.txt [DropDown].
TEST(DropDown, PrefixMatchesFirstThenInnerOnes) {
    test::expectTranscript("suggest/data/suggest.txt", "DropDown", [](const std::string& in) {
        return shown(filterSuggestions(entriesOf(in), in.substr(0, in.find(' '))));
    });
}

TEST(SuggestionParse, StoredLinesAndTheirQuirks) {
    test::expectTranscript("suggest/data/suggest.txt", "Parse", [](const std::string& text) {
        return shown(parseSuggestionText(text));
    });
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
    test::expectTranscript("suggest/data/suggest.txt", "Deduplicate", [](const std::string& in) {
        V entries = entriesOf(in);
        deduplicateSuggestions(entries);
        return shown(entries);
    });
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
