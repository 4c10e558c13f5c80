// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/address.h"
#include "compose/code_tables.h"
#include "compose/field_rules.h"
#include "form_line.h"
#include "transcript.h"

#include <gtest/gtest.h>
#include <set>
#include <sstream>

using namespace trov;

TEST(AddressGrammar, ComposesExactly) {
    test::expectTranscript("compose/data/addresses.txt", "Addresses", [](const std::string& line) {
        const test::FormLine form(line);
        SearchRequest r;
        r.engine = form.engine;
        r.expanded = form.flags.contains("expanded");
        r.words = form.text("words");
        r.exactPhrase = form.text("exact");
        r.excludedWords = form.text("exclude");
        r.site = form.text("site");
        r.kindIndex = form.kind();
        r.periodIndex = form.period();
        cb1Change(r.fragments, form.list(kInterfaceLanguages, "interface"));
        cb3Change(r.fragments, form.list(kCountries, "country"));
        cb2Change(r.fragments, form.list(kResultLanguages, "language"));
        cb5Change(r.fragments, form.list(kFileTypes, "filetype"));
        const ComposedAddress got = composeAddress(r, !form.flags.contains("no-browser"));
        return (got.opener == Opener::ChosenBrowser ? "-> browser <" : "-> default <") +
               got.address + ">\n";
    });
}

TEST(AddressHosts, ComeFromTheTable) {
    const EngineHosts hosts{.google = "http://127.0.0.1:1", .wikipedia = "wiki.test"};
    SearchRequest r;
    r.words = "a";
    EXPECT_EQ(composeAddress(r, false, hosts).address, "http://127.0.0.1:1/search?q=a");
    r.engine = SearchEngine::Wikipedia;
    EXPECT_EQ(composeAddress(r, false, hosts).address, "https://wiki.test/w/index.php?search=a");
}

// The lists are looked up by label and by code (trovctl); a file type's code is what its
// label shows in brackets, the rule that composes it.
TEST(CodeTables, FirstEntryIsNoneLabelsAreUniqueCodesAreWellFormed) {
    for (std::span<const CodeEntry> list :
         {std::span<const CodeEntry>(kInterfaceLanguages),
          std::span<const CodeEntry>(kResultLanguages), std::span<const CodeEntry>(kCountries),
          std::span<const CodeEntry>(kFileTypes)}) {
        std::set<std::string_view> labels;
        for (std::size_t i = 0; i < list.size(); ++i) {
            const CodeEntry& e = list[i];
            SCOPED_TRACE(e.label);
            EXPECT_TRUE(labels.insert(e.label).second) << "a second entry of this label";
            EXPECT_EQ(std::pair(e.code.empty(), e.label == "- - -"), std::pair(i == 0, i == 0));
            const bool twoCapitals =
                e.code.size() == 2 && std::isupper(e.code[0]) && std::isupper(e.code[1]);
            EXPECT_TRUE(i == 0 || list.data() != kCountries.data() || twoCapitals) << e.code;
            EXPECT_TRUE(i == 0 || list.data() != kFileTypes.data() ||
                        fileExtensionOf(e.label) == e.code);
        }
    }
    for (const std::string_view odd : {"No parentheses", "x (.a) y", "()"})
        EXPECT_EQ(fileExtensionOf(odd), "");
    EXPECT_EQ(fileExtensionOf("(..a)"), ".a");
    SearchFragments f; // an index outside its list clears what the one before set
    for (int index : {228, 244})
        cb3Change(f, index);
    EXPECT_EQ(f, SearchFragments{});
}

// The cases and what they print: data/compose.txt [Colours].
TEST(BarvaOkvirja, GreysWhatEachEngineIgnores) {
    test::expectTranscript("compose/data/compose.txt", "Colours", [](const std::string& input) {
        std::istringstream in(input);
        std::string engine, kind, mode;
        in >> engine >> kind;
        CrawlMarks marks;
        while (in >> mode)
            marks.set(test::crawlModeNamed(mode), true);
        const FieldColours c = BarvaOkvirja(test::engineNamed(engine), kind, marks);
        const std::string out = test::greyFields(c);
        return out + (c.focusSite ? "; the site takes the focus\n" : "\n");
    });
    const FieldColours c = BarvaOkvirja(SearchEngine::Bing, "All", {});
    EXPECT_EQ(c.colour(ColouredField::Interface), 0xA0A0A0u);
    EXPECT_EQ(c.colour(ColouredField::Browser), 0xFFFFFFu);
}
