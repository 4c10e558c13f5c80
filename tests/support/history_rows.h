#pragma once

// History rows for the history tests: one search of today, no advanced field filled.

#include "history/history_store.h"

#include <string>
#include <vector>

namespace trov::test {

inline HistoryRecord historyRow(const std::string& words, const std::string& browser = "Firefox",
                                const std::string& engine = "Google") {
    HistoryRecord r;
    for (std::size_t c = kColExact; c < kHistoryColumnCount; ++c)
        r.set(c, "- - -");
    r.set(kColDate, "05.12.2026");
    r.set(kColTime, "10:00:00");
    r.set(kColSearch, words);
    r.set(kColBrowser, browser);
    r.set(kColEngine, engine);
    r.set(kColType, "All");
    return r;
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
