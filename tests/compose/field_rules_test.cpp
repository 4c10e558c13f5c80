#include "compose/code_tables.h"
#include "compose/field_rules.h"

#include <gtest/gtest.h>
#include <set>

using namespace trov;

// The lists are looked up by label and by code (trovctl), and a file type's code is what its
// label shows in brackets, the rule that composes it.
TEST(CodeTables, FirstEntryIsNoneLabelsAreUniqueCodesAreWellFormed) {
    for (std::span<const CodeEntry> list :
         {std::span<const CodeEntry>(kInterfaceLanguages),
          std::span<const CodeEntry>(kResultLanguages), std::span<const CodeEntry>(kCountries),
          std::span<const CodeEntry>(kFileTypes)}) {
        std::set<std::string_view> labels;
        for (std::size_t i = 0; i < list.size(); ++i) {
            SCOPED_TRACE(list[i].label);
            EXPECT_EQ(list[i].code.empty(), i == 0);
            EXPECT_EQ(list[i].label == "- - -", i == 0);
            EXPECT_TRUE(labels.insert(list[i].label).second);
        }
    }
    for (std::size_t i = 1; i < kCountries.size(); ++i)
        EXPECT_TRUE(kCountries[i].code.size() == 2 && std::isupper(kCountries[i].code[0]) &&
                    std::isupper(kCountries[i].code[1]))
            << kCountries[i].label;
    for (std::size_t i = 1; i < kFileTypes.size(); ++i)
        EXPECT_EQ(fileExtensionOf(kFileTypes[i].label), kFileTypes[i].code);
    EXPECT_EQ(fileExtensionOf("No parentheses"), "");
    EXPECT_EQ(fileExtensionOf("x (.a) y"), "");
    EXPECT_EQ(fileExtensionOf("()"), "");
    EXPECT_EQ(fileExtensionOf("(..a)"), ".a");
}

TEST(ChangeRules, NoneMissingAndOutsideClearEverything) {
    for (int index : {0, -1, 244, 100000, -7}) {
        SearchFragments f;
        for (int i : {1, index})
            for (auto rule : {cb1Change, cb2Change, cb3Change, cb5Change})
                rule(f, i);
        EXPECT_EQ(f, SearchFragments{}) << index;
    }
}

namespace {

std::string greyList(const FieldColours& c) {
    static const char* names[] = {"browser",  "interface", "country", "language", "period",
                                  "filetype", "exact",     "exclude", "site"};
    std::string out;
    for (int f = 0; f < 9; ++f)
        if (c.isGrey(static_cast<ColouredField>(f)))
            out += std::string(out.empty() ? "" : " ") + names[f];
    return out;
}

CrawlMarks marks(std::initializer_list<CrawlMode> on) {
    CrawlMarks m;
    for (CrawlMode mode : on)
        m.set(mode, true);
    return m;
}

} // namespace

TEST(BarvaOkvirja, GreysWhatEachEngineIgnores) {
    using E = SearchEngine;
    using M = CrawlMode;
    const std::string allButBrowser =
        "interface country language period filetype exact exclude site";
    const std::string crawl = "interface country language period filetype";
    const std::string extract = "browser interface country language period filetype exact exclude";
    const struct {
        SearchEngine engine;
        std::string_view kind;
        CrawlMarks marks;
        std::string grey;
        bool focusSite;
    } cases[] = {
        {E::Google, "All", {}, "", false},
        {E::Google, "Books", {}, "", false},
        {E::Google, "Translate", {}, allButBrowser, false},
        {E::Bing, "Images", {}, "interface period", false},
        {E::Bing, "Translate", {}, allButBrowser, false},
        {E::DuckDuckGo, "All", {}, "interface country language exclude", false},
        {E::Wikipedia, "All", {}, "interface country period filetype exact exclude site", false},
        {E::WolframAlpha, "Math", {}, allButBrowser, false},
        {E::Ask, "All", {}, allButBrowser, false},
        {E::UrbanDictionary, "All", {}, allButBrowser, false},
        {E::Swisscows, "Music", {}, "interface country language filetype exclude site", false},
        {E::Links, "---", marks({M::StartFastCrawl}), crawl, false},
        {E::Links, "---", marks({M::StartSlowCrawl}), crawl, false},
        {E::Links, "---", marks({M::CrawlCSV}), crawl, false},
        {E::Links, "---", marks({M::AllLinks}), extract, true},
        {E::Links, "---", marks({M::interLinks}), extract, true},
        // A crawl mark is read before the extract marks.
        {E::Links, "---", marks({M::AllLinks, M::StartFastCrawl}), crawl, false},
        {E::Links, "---", {}, "", false},
    };
    for (const auto& c : cases) {
        const FieldColours got = BarvaOkvirja(c.engine, c.kind, c.marks);
        EXPECT_EQ(greyList(got), c.grey) << static_cast<int>(c.engine) << " " << c.kind;
        EXPECT_EQ(got.focusSite, c.focusSite);
    }
    const FieldColours c = BarvaOkvirja(SearchEngine::Bing, "All", {});
    EXPECT_EQ(c.colour(ColouredField::Interface), 0xA0A0A0u);
    EXPECT_EQ(c.colour(ColouredField::Browser), 0xFFFFFFu);
}
