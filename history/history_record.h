// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One history row: the date, the time and every field value of a search, as 14 texts.
// Column 0 is the row's caption, columns 1 to 13 its sub-items.

#include "common/translatable.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
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

// The 14 texts sit one after another in one buffer, each behind a byte holding its
// length modulo 256: the form the store keeps a row in. A history holds up to hundreds of
// thousands of rows, and 14 separate strings a row made loading it bound by memory; this
// way the rows of a loaded store share the store's own bytes, and are written back from
// them. The buffer is never changed once made: changing a text gives the row a buffer of
// its own.
class HistoryRecord {
public:
    using Texts = std::array<std::string_view, kHistoryColumnCount>;

    HistoryRecord();
    explicit HistoryRecord(const Texts& texts) { assign(texts); }
    // The row stored at offset in a store's bytes: 14 texts, each behind its length byte;
    // nothing when they run past the end. stored().size() is the bytes it takes.
    static std::optional<HistoryRecord> fromStored(std::shared_ptr<const std::string> bytes,
                                                   std::size_t offset);

    // Const, so that an assignment to it cannot compile and do nothing.
    const std::string_view operator[](std::size_t i) const {
        const std::uint32_t begin = (i == 0 ? 0 : ends_[i - 1]) + 1;
        return stored().substr(begin, ends_[i] - begin);
    }
    void set(std::size_t i, std::string_view text);
    // Replaces all 14 texts at once, with one allocation.
    void assign(const Texts& texts);
    Texts texts() const;

    // The row as the store writes it, when no text is longer than a length byte holds.
    bool fitsStore() const { return fitsStore_; }
    std::string_view stored() const {
        return std::string_view(*buffer_).substr(start_, ends_.back());
    }

    bool operator==(const HistoryRecord& o) const {
        return ends_ == o.ends_ && stored() == o.stored();
    }

private:
    std::shared_ptr<const std::string> buffer_;
    std::uint32_t start_ = 0;                               // where the row begins in it
    std::array<std::uint32_t, kHistoryColumnCount> ends_{}; // end of each text, from start_
    bool fitsStore_ = true;
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
    {TROV_TEXT("Core", "Date"), 75},
    {TROV_TEXT("Core", "Time"), 75},
    {TROV_TEXT("Core", "Search"), 210},
    {TROV_TEXT("Core", "Exact"), 80},
    {TROV_TEXT("Core", "Exclude"), 80},
    {TROV_TEXT("Core", "Site or Domain"), 120},
    {TROV_TEXT("Core", "File type"), 100},
    {TROV_TEXT("Core", "Browser"), 100},
    {TROV_TEXT("Core", "Interface"), 100},
    {TROV_TEXT("Core", "Contry"), 100},
    {TROV_TEXT("Core", "Language"), 100},
    {TROV_TEXT("Core", "Time period"), 100},
    {TROV_TEXT("Core", "Search engine"), 90},
    {TROV_TEXT("Core", "Type"), 50},
}};

std::vector<HistoryColumn> defaultHistoryColumns();

} // namespace trov
