// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The suggestion drop-down's filter and height.

#include <string>
#include <string_view>
#include <vector>

namespace trov {

inline constexpr int kDropDownRowHeight = 17;

// Entries whose text begins with key (ASCII case ignored), in list order, then those that
// hold it further in; each in its stored form. An empty key gives no rows.
std::vector<std::string> filterSuggestions(const std::vector<std::string>& entries,
                                           std::string_view key);

// Client height of the drop-down for the main window's client height: one row while
// collapsed (below 300), all rows but at most 152 while expanded (above 350), unchanged
// in between.
int dropDownHeight(int mainClientHeight, int rows, int currentHeight);

} // namespace trov
