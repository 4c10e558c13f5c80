// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/field_rules.h"

#include "compose/code_tables.h"

#include <initializer_list>

namespace trov {

namespace {

std::string_view codeAt(std::span<const CodeEntry> list, int index) {
    if (index <= 0 || static_cast<std::size_t>(index) >= list.size())
        return {};
    return list[static_cast<std::size_t>(index)].code;
}

// The last two characters of a code: "de" stays "de", "zh-TW" gives "TW".
std::string_view lastTwo(std::string_view code) {
    return code.size() <= 2 ? code : code.substr(code.size() - 2);
}

using F = ColouredField;

FieldColours greyOnly(std::initializer_list<ColouredField> fields) {
    FieldColours c;
    for (ColouredField f : fields)
        c.grey[static_cast<std::size_t>(f)] = true;
    return c;
}

FieldColours allButBrowser() {
    return greyOnly({F::Interface, F::Country, F::Language, F::Period, F::FileType, F::Exact,
                     F::Exclude, F::Site});
}

} // namespace

void cb1Change(SearchFragments& f, int interfaceIndex) {
    const std::string_view code = codeAt(kInterfaceLanguages, interfaceIndex);
    f.interfaceParam = code.empty() ? std::string() : "&hl=" + std::string(code);
}

void cb2Change(SearchFragments& f, int languageIndex) {
    const std::string_view code = codeAt(kResultLanguages, languageIndex);
    if (code.empty()) {
        f.languageParam.clear();
        f.languageOperator.clear();
        f.languageSubdomain.clear();
        return;
    }
    f.languageParam = "&lr=lang_" + std::string(code);
    f.languageOperator = "++language%3A" + std::string(lastTwo(code));
    f.languageSubdomain = std::string(lastTwo(code)) + ".";
}

void cb3Change(SearchFragments& f, int countryIndex) {
    const std::string_view code = codeAt(kCountries, countryIndex);
    if (code.empty()) {
        f.countryParam.clear();
        f.locationOperator.clear();
        return;
    }
    f.countryParam = "&cr=country" + std::string(code);
    f.locationOperator = "+loc%3A" + std::string(code);
}

std::string fileExtensionOf(std::string_view label) {
    if (label.empty() || label.back() != ')')
        return {};
    const std::size_t open = label.rfind('(');
    if (open == std::string_view::npos)
        return {};
    std::string_view inner = label.substr(open + 1, label.size() - open - 2);
    if (!inner.empty() && inner.front() == '.')
        inner.remove_prefix(1);
    return std::string(inner);
}

void cb5Change(SearchFragments& f, int fileTypeIndex) {
    if (fileTypeIndex <= 0 || static_cast<std::size_t>(fileTypeIndex) >= kFileTypes.size()) {
        f.fileExtension.clear();
        return;
    }
    f.fileExtension = fileExtensionOf(kFileTypes[static_cast<std::size_t>(fileTypeIndex)].label);
}

FieldColours BarvaOkvirja(SearchEngine engine, std::string_view kindText, const CrawlMarks& marks) {
    switch (engine) {
    case SearchEngine::Google:
        return kindText == "Translate" ? allButBrowser() : FieldColours{};
    case SearchEngine::Bing:
        return kindText == "Translate" ? allButBrowser() : greyOnly({F::Interface, F::Period});
    case SearchEngine::DuckDuckGo:
        return greyOnly({F::Interface, F::Country, F::Language, F::Exclude});
    case SearchEngine::Wikipedia:
        return greyOnly(
            {F::Interface, F::Country, F::Period, F::FileType, F::Exact, F::Exclude, F::Site});
    case SearchEngine::WolframAlpha:
    case SearchEngine::Ask:
    case SearchEngine::UrbanDictionary:
        return allButBrowser();
    case SearchEngine::Swisscows:
        return greyOnly({F::Interface, F::Country, F::Language, F::FileType, F::Exclude, F::Site});
    case SearchEngine::Links:
        if (marks.anyCrawl())
            return greyOnly({F::Interface, F::Country, F::Language, F::Period, F::FileType});
        if (marks.anyExtract()) {
            FieldColours c = greyOnly({F::Browser, F::Interface, F::Country, F::Language, F::Period,
                                       F::FileType, F::Exact, F::Exclude});
            c.focusSite = true;
            return c;
        }
        return {};
    }
    return {};
}

} // namespace trov
