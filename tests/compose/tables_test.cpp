#include "compose/code_tables.h"
#include "compose/engines.h"
#include "compose/field_rules.h"

#include <gtest/gtest.h>
#include <set>

using namespace trov;

TEST(CodeTables, CountsAndFirstEntries) {
    EXPECT_EQ(kInterfaceLanguages.size(), 84u);
    EXPECT_EQ(kResultLanguages.size(), 47u);
    EXPECT_EQ(kCountries.size(), 244u);
    EXPECT_EQ(kFileTypes.size(), 29u);
    EXPECT_EQ(kPeriods.size(), 6u);
    for (std::string_view first : {kInterfaceLanguages[0].label, kResultLanguages[0].label,
                                   kCountries[0].label, kFileTypes[0].label})
        EXPECT_EQ(first, "- - -");
    EXPECT_EQ(kPeriods[0], "Any time");
    EXPECT_EQ(kPeriods[5], "Past year");
}

TEST(CodeTables, EveryEntryButTheFirstHasACodeAndLabelsAreUnique) {
    auto check = [](std::span<const CodeEntry> list, const char* name) {
        std::set<std::string_view> labels;
        for (std::size_t i = 0; i < list.size(); ++i) {
            EXPECT_EQ(list[i].code.empty(), i == 0) << name << " " << i;
            EXPECT_TRUE(labels.insert(list[i].label).second) << name << " " << list[i].label;
        }
    };
    check(kInterfaceLanguages, "interface");
    check(kResultLanguages, "language");
    check(kCountries, "country");
    check(kFileTypes, "file type");
}

TEST(CodeTables, CountryCodesAreTwoCapitals) {
    for (std::size_t i = 1; i < kCountries.size(); ++i) {
        const std::string_view c = kCountries[i].code;
        ASSERT_EQ(c.size(), 2u) << kCountries[i].label;
        EXPECT_TRUE(std::isupper(static_cast<unsigned char>(c[0])) &&
                    std::isupper(static_cast<unsigned char>(c[1])))
            << kCountries[i].label;
    }
}

TEST(CodeTables, KeptQuirksAndSpotChecks) {
    struct Case {
        std::span<const CodeEntry> list;
        std::size_t index;
        std::string_view label, code;
    } cases[] = {
        {kInterfaceLanguages, 3, "Amharic", "sm"},
        {kInterfaceLanguages, 13, "Chinese (Simplified)", "zh-CN"},
        {kInterfaceLanguages, 14, "Chinese (Traditional)", "zh-TW"},
        {kInterfaceLanguages, 31, "Hebrew", "iw"},
        {kInterfaceLanguages, 48, "Malayam", "ml"},
        {kInterfaceLanguages, 57, "Portuguese (Brazil)", "pt-BR"},
        {kInterfaceLanguages, 83, "Zulu", "zu"},
        {kResultLanguages, 7, "Chinese (Simplified)", "zh-CN"},
        {kResultLanguages, 8, "Chinese (Traditional)", "zh-TW"},
        {kResultLanguages, 16, "Filipino", "tl"},
        {kResultLanguages, 46, "Vietnamese", "vi"},
        {kCountries, 1, "Afghanistan", "AF"},
        {kCountries, 228, "United Kingdom", "UK"},
        {kCountries, 229, "United States", "US"},
        {kCountries, 243, "Zimbabwe", "ZW"},
        {kFileTypes, 1, "Adobe PDF (.pdf)", "pdf"},
        {kFileTypes, 25, "Perl source code (pl)", "pl"},
        {kFileTypes, 27, "Wireless Markup Language (wml, wap)", "wml, wap"},
        {kFileTypes, 28, "XML (xml)", "xml"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.list[c.index].label, c.label);
        EXPECT_EQ(c.list[c.index].code, c.code) << c.label;
    }
}

TEST(CodeTables, FileTypeCodesFollowTheLabelRule) {
    for (std::size_t i = 1; i < kFileTypes.size(); ++i)
        EXPECT_EQ(fileExtensionOf(kFileTypes[i].label), kFileTypes[i].code) << kFileTypes[i].label;
}

TEST(Engines, ButtonsHintsKindsInRowOrder) {
    struct Case {
        SearchEngine e;
        std::string_view button, hint;
        int left;
        std::vector<std::string_view> kinds;
    } cases[] = {
        {SearchEngine::Google,
         "csGoogle",
         "Google",
         0,
         {"All", "Images", "Videos", "News", "Translate", "Books"}},
        {SearchEngine::Bing,
         "csBing",
         "Bing",
         25,
         {"All", "Images", "Videos", "News", "Translate"}},
        {SearchEngine::DuckDuckGo,
         "csDuckDuckGo",
         "DuckDuckGo",
         50,
         {"All", "Images", "Videos", "Maps"}},
        {SearchEngine::Ask, "csAsk", "Ask", 75, {"All"}},
        {SearchEngine::Swisscows,
         "csCows",
         "Swisscows",
         100,
         {"All", "Images", "Videos", "News", "Music"}},
        {SearchEngine::WolframAlpha, "csWolfram", "Wolfram Alpha", 125, {"Natural", "Math"}},
        {SearchEngine::Wikipedia, "csWiki", "Wikipedia ", 150, {"All"}},
        {SearchEngine::UrbanDictionary, "csUrban", "Urban Dictionary", 175, {"All"}},
        {SearchEngine::Links, "csSpider", "Links", 200, {"---"}},
    };
    ASSERT_EQ(std::size(cases), kEngines.size());
    for (std::size_t i = 0; i < kEngines.size(); ++i) {
        const EngineInfo& info = kEngines[i];
        EXPECT_EQ(info.engine, cases[i].e);
        EXPECT_EQ(&engineInfo(cases[i].e), &info);
        EXPECT_EQ(info.button, cases[i].button);
        EXPECT_EQ(info.hint, cases[i].hint);
        EXPECT_EQ(info.buttonLeft, cases[i].left);
        EXPECT_EQ(std::vector<std::string_view>(info.kinds.begin(), info.kinds.end()),
                  cases[i].kinds);
    }
}

TEST(Engines, DefaultHosts) {
    const EngineHosts h;
    EXPECT_EQ(h.google, "https://www.google.com");
    EXPECT_EQ(h.translation, "https://translate.google.com");
    EXPECT_EQ(h.bing, "https://www.bing.com");
    EXPECT_EQ(h.duckDuckGo, "https://duckduckgo.com");
    EXPECT_EQ(h.swisscows, "https://swisscows.com");
    EXPECT_EQ(h.wikipedia, "wikipedia.org");
    EXPECT_EQ(h.wolframAlpha, "wolframalpha.com");
    EXPECT_EQ(h.ask, "ask.com");
    EXPECT_EQ(h.urbanDictionary, "urbandictionary.com");
}
