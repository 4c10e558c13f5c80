#include "compose/code_tables.h"
#include "compose/field_rules.h"

#include <gtest/gtest.h>

using namespace trov;

TEST(ChangeRules, EachListFillsItsFragments) {
    using S = SearchFragments;
    const struct {
        void (*rule)(SearchFragments&, int);
        int index;
        std::string S::*field;
        const char* value;
    } cases[] = {
        {cb2Change, 8, &S::languageParam, "&lr=lang_zh-TW"},
        {cb2Change, 8, &S::languageOperator, "++language%3ATW"},
        {cb2Change, 8, &S::languageSubdomain, "TW."},
        {cb2Change, 13, &S::languageParam, "&lr=lang_en"},
        {cb2Change, 13, &S::languageOperator, "++language%3Aen"},
        {cb2Change, 13, &S::languageSubdomain, "en."},
        {cb3Change, 228, &S::countryParam, "&cr=countryUK"},
        {cb3Change, 228, &S::locationOperator, "+loc%3AUK"},
        {cb1Change, 3, &S::interfaceParam, "&hl=sm"},
        {cb1Change, 14, &S::interfaceParam, "&hl=zh-TW"},
        {cb5Change, 0, &S::fileExtension, ""},
        {cb5Change, 1, &S::fileExtension, "pdf"},
        {cb5Change, 18, &S::fileExtension, "txt"},
        {cb5Change, 21, &S::fileExtension, "cpp"},
        {cb5Change, 22, &S::fileExtension, "cs"},
        {cb5Change, 25, &S::fileExtension, "pl"},
        {cb5Change, 26, &S::fileExtension, "py"},
        {cb5Change, 27, &S::fileExtension, "wml, wap"},
        {cb5Change, 28, &S::fileExtension, "xml"},
    };
    for (const auto& c : cases) {
        SearchFragments f;
        f.*c.field = "stale";
        c.rule(f, c.index);
        EXPECT_EQ(f.*c.field, c.value) << c.index;
    }
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

TEST(ChangeRules, FileExtensionOfOddLabels) {
    EXPECT_EQ(fileExtensionOf("No parentheses"), "");
    EXPECT_EQ(fileExtensionOf("x (.a) y"), "");
    EXPECT_EQ(fileExtensionOf("()"), "");
    EXPECT_EQ(fileExtensionOf("(..a)"), ".a");
}

namespace {
using F = ColouredField;
constexpr std::array kAll = {F::Browser,  F::Interface, F::Country, F::Language, F::Period,
                             F::FileType, F::Exact,     F::Exclude, F::Site};

std::string greyList(const FieldColours& c) {
    static const char* names[] = {"browser",  "interface", "country", "language", "period",
                                  "filetype", "exact",     "exclude", "site"};
    std::string out;
    for (F f : kAll)
        if (c.isGrey(f))
            out += std::string(out.empty() ? "" : " ") + names[static_cast<int>(f)];
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
    struct Case {
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
    for (const Case& c : cases) {
        const FieldColours got = BarvaOkvirja(c.engine, c.kind, c.marks);
        EXPECT_EQ(greyList(got), c.grey) << static_cast<int>(c.engine) << " " << c.kind;
        EXPECT_EQ(got.focusSite, c.focusSite);
    }
}

TEST(BarvaOkvirja, Colours) {
    const FieldColours c = BarvaOkvirja(SearchEngine::Bing, "All", {});
    EXPECT_EQ(c.colour(F::Interface), 0xA0A0A0u);
    EXPECT_EQ(c.colour(F::Browser), 0xFFFFFFu);
}
