// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// History rows for the history tests: one search of today, no advanced field filled.

#include "history/history_store.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace trov::test {

// A record from its texts joined by "|": Date, Time, Search, Exact, Exclude, Site or Domain,
// File type, Browser, Interface, Contry, Language, Time period, Search engine, Type.
inline HistoryRecord joinedRow(std::string_view joined) {
    HistoryRecord r;
    for (std::size_t c = 0; c < kHistoryColumnCount && !joined.empty(); ++c) {
        const std::size_t bar = std::min(joined.find('|'), joined.size());
        r.set(c, joined.substr(0, bar));
        joined.remove_prefix(std::min(bar + 1, joined.size()));
    }
    return r;
}

inline HistoryRecord historyRow(const std::string& words, const std::string& browser = "Firefox",
                                const std::string& engine = "Google") {
    return joinedRow("05.12.2026|10:00:00|" + words + "|- - -|- - -|- - -|- - -|" + browser +
                     "|- - -|- - -|- - -|- - -|" + engine + "|All");
}

// The search words of a list's rows, or of a stored history file's, in order.
inline std::vector<std::string> wordsOf(const HistoryList& list) {
    std::vector<std::string> out;
    for (const auto& r : list.rows)
        out.emplace_back(r[kColSearch]);
    return out;
}

inline std::vector<std::string> storedWords(const std::string& path) {
    HistoryList list;
    return readHistoryFile(path, list) ? wordsOf(list) : std::vector<std::string>{"<unreadable>"};
}

} // namespace trov::test
