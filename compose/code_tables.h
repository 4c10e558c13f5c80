// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The item lists of the main window's combo boxes with the codes behind them. Index 0 of
// every list is "- - -", meaning none; the order is fixed because pinned settings, history
// records and settings files store indexes into these lists.

#include <array>
#include <span>
#include <string_view>

namespace trov {

struct CodeEntry {
    std::string_view label;
    std::string_view code; // empty for "- - -"
};

inline constexpr std::string_view kNoneEntry = "- - -";

extern const std::array<CodeEntry, 84> kInterfaceLanguages; // cb1, hl codes
extern const std::array<CodeEntry, 47> kResultLanguages;    // cb2, lr codes
extern const std::array<CodeEntry, 244> kCountries;         // cb3, two capital letters
extern const std::array<CodeEntry, 29> kFileTypes;          // cb5, extensions
extern const std::array<std::string_view, 6> kPeriods;      // cb6

// The label of entry index, or empty when index is outside the list (no selection).
std::string_view entryLabel(std::span<const CodeEntry> list, int index);
std::string_view entryLabel(std::span<const std::string_view> list, int index);

} // namespace trov
