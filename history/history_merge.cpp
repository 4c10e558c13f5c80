// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/history_merge.h"

#include <ctime>
#include <functional>
#include <iomanip>
#include <iterator>
#include <locale>
#include <optional>
#include <sstream>
#include <unordered_map>

namespace trov {

namespace {

struct RowHash {
    std::size_t operator()(const HistoryRecord& r) const {
        return std::hash<std::string_view>{}(r.stored());
    }
};

// Reads the date and time columns as the clock wrote them, in the user's locale.
class RowTimes {
public:
    RowTimes() {
        try {
            in_.imbue(std::locale(""));
        } catch (const std::runtime_error&) {
            // An unknown locale in the environment: the clock wrote the classic formats.
        }
    }

    std::optional<std::time_t> operator()(const HistoryRecord& r) {
        std::tm t{};
        if (!read(r[kColDate], "%x", t) || !read(r[kColTime], "%X", t))
            return std::nullopt;
        t.tm_isdst = -1;
        const std::time_t time = std::mktime(&t);
        return time == std::time_t(-1) ? std::nullopt : std::optional(time);
    }

private:
    bool read(std::string_view text, const char* format, std::tm& t) {
        in_.clear();
        in_.str(std::string(text));
        in_ >> std::get_time(&t, format);
        return !in_.fail() && in_.peek() == std::char_traits<char>::eof();
    }

    std::istringstream in_;
};

} // namespace

void replayHistoryEdits(std::vector<HistoryRecord>& rows, const std::vector<HistoryEdit>& edits) {
    std::vector<HistoryRecord> added; // oldest first
    std::unordered_map<HistoryRecord, std::size_t, RowHash> removed;
    bool cleared = false;
    for (const HistoryEdit& e : edits) {
        if (e.kind == HistoryEdit::Kind::Added) {
            added.push_back(e.row);
            continue;
        }
        if (e.kind == HistoryEdit::Kind::Cleared) {
            cleared = true;
            added.clear();
            removed.clear();
            continue;
        }
        // A row added here and removed again never reaches the store.
        bool wasAdded = false;
        for (auto it = added.rbegin(); it != added.rend(); ++it)
            if (*it == e.row) {
                added.erase(std::next(it).base());
                wasAdded = true;
                break;
            }
        if (!wasAdded)
            ++removed[e.row];
    }

    std::vector<HistoryRecord> kept;
    kept.reserve(rows.size() + added.size());
    if (cleared)
        rows.clear();
    for (HistoryRecord& r : rows) {
        const auto it = removed.find(r);
        if (it != removed.end() && it->second > 0)
            --it->second;
        else
            kept.push_back(std::move(r));
    }

    // Both lists run newest first: one merge, reading only the times it compares.
    RowTimes timeOf;
    rows.clear();
    std::size_t k = 0;
    for (auto a = added.rbegin(); a != added.rend(); ++a) {
        const std::optional<std::time_t> at = timeOf(*a);
        for (; at && k < kept.size(); ++k) {
            const std::optional<std::time_t> there = timeOf(kept[k]);
            if (!there || *there <= *at)
                break;
            rows.push_back(std::move(kept[k]));
        }
        rows.push_back(std::move(*a));
    }
    for (; k < kept.size(); ++k)
        rows.push_back(std::move(kept[k]));
}

} // namespace trov
