#pragma once

// One history row: the date, the time and every field value of a search, as 14 texts.
// Column 0 is the row's caption, columns 1 to 13 its sub-items.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace trov {

inline constexpr std::size_t kHistoryColumnCount = 14;
inline constexpr std::size_t kHistorySubItemCount = kHistoryColumnCount - 1;

// Stands for an absent value in the columns Search to Time period.
inline constexpr std::string_view kAbsentMarker = "- - -";
// The Browser column of a search made while the main window was collapsed.
inline constexpr std::string_view kCollapsedBrowser = "Default";

enum HistoryColumnIndex : std::size_t {
    kColDate,
    kColTime,
    kColSearch,
    kColExact,
    kColExclude,
    kColSite,
    kColFileType,
    kColBrowser,
    kColInterface,
    kColCountry,
    kColLanguage,
    kColPeriod,
    kColEngine,
    kColType,
};

struct HistoryRecord {
    std::array<std::string, kHistoryColumnCount> texts;

    std::string& operator[](std::size_t i) { return texts[i]; }
    const std::string& operator[](std::size_t i) const { return texts[i]; }
    bool operator==(const HistoryRecord&) const = default;
};

// A column of the list view as the store keeps it.
struct HistoryColumn {
    std::string caption;
    int width = 50;
    bool operator==(const HistoryColumn&) const = default;
};

struct ColumnDefault {
    std::string_view caption;
    int width;
};

// Captions (the store's column definitions, "Contry" as the program spells it) and widths.
inline constexpr std::array<ColumnDefault, kHistoryColumnCount> kHistoryColumns = {{
    {"Date", 75},
    {"Time", 75},
    {"Search", 210},
    {"Exact", 80},
    {"Exclude", 80},
    {"Site or Domain", 120},
    {"File type", 100},
    {"Browser", 100},
    {"Interface", 100},
    {"Contry", 100},
    {"Language", 100},
    {"Time period", 100},
    {"Search engine", 90},
    {"Type", 50},
}};

std::vector<HistoryColumn> defaultHistoryColumns();

} // namespace trov
