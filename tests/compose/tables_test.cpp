#include "compose/code_tables.h"
#include "compose/field_rules.h"

#include <gtest/gtest.h>
#include <set>

using namespace trov;

TEST(CodeTables, EveryEntryButTheFirstHasACodeAndLabelsAreUnique) {
    auto check = [](std::span<const CodeEntry> list, const char* name) {
        std::set<std::string_view> labels;
        for (std::size_t i = 0; i < list.size(); ++i) {
            EXPECT_EQ(list[i].code.empty(), i == 0) << name << " " << i;
            EXPECT_EQ(list[i].label == "- - -", i == 0) << name << " " << i;
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
