// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The change rules that turn combo selections into address fragments, and the field
// colouring (BarvaOkvirja) that greys the fields the selected engine ignores.

#include "compose/search_engine.h"
#include "crawler/crawl_mode.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace trov {

// Fragments kept from one change of a combo box to the next; empty when "- - -".
struct SearchFragments {
    std::string interfaceParam;    // cb1: "&hl=" + code
    std::string countryParam;      // cb3: "&cr=country" + code
    std::string locationOperator;  // cb3: "+loc%3A" + code
    std::string languageParam;     // cb2: "&lr=lang_" + code
    std::string languageOperator;  // cb2: "++language%3A" + last two characters
    std::string languageSubdomain; // cb2: last two characters + "."
    std::string fileExtension;     // cb5: the extension without dot
    bool operator==(const SearchFragments&) const = default;
};

// Each rule takes the combo's index; -1 (no selection) and indexes outside the list count
// as entry 0.
void cb1Change(SearchFragments& f, int interfaceIndex);
void cb2Change(SearchFragments& f, int languageIndex);
void cb3Change(SearchFragments& f, int countryIndex);
void cb5Change(SearchFragments& f, int fileTypeIndex);
// The text inside the parentheses that end a file-type label, without a leading ".".
std::string fileExtensionOf(std::string_view label);

// The fields BarvaOkvirja colours, in the order the table names them.
enum class ColouredField : std::uint8_t {
    Browser,   // lb
    Interface, // cb1
    Country,   // cb3
    Language,  // cb2
    Period,    // cb6
    FileType,  // cb5
    Exact,     // eexact
    Exclude,   // eexclude
    Site,      // edomain
};
inline constexpr int kColouredFieldCount = 9;

inline constexpr std::uint32_t kFieldWhite = 0xFFFFFF;
inline constexpr std::uint32_t kFieldGrey = 0xA0A0A0;

struct FieldColours {
    std::array<bool, kColouredFieldCount> grey{};
    bool focusSite = false; // an extract mode hands the focus to edomain

    bool isGrey(ColouredField f) const { return grey[static_cast<std::size_t>(f)]; }
    std::uint32_t colour(ColouredField f) const { return isGrey(f) ? kFieldGrey : kFieldWhite; }
    bool operator==(const FieldColours&) const = default;
};

// BarvaOkvirja for an engine, the text of its selected kind and the crawler menu's marks.
FieldColours BarvaOkvirja(SearchEngine engine, std::string_view kindText, const CrawlMarks& marks);

} // namespace trov
