// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The history window's list without the widgets: the selection, the record the detail
// panel shows, the row colours, find, navigation, delete and clear. The window draws this
// and mirrors the selection both ways.

#include "common/atomic_file.h"
#include "common/translatable.h"
#include "history/history_store.h"

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace trov {

class Messages;

// Row colours, as 0xRRGGBB.
inline constexpr std::uint32_t kEvenRowColour = 0xEEF4F7;
inline constexpr std::uint32_t kOddRowColour = 0xFFFFFF;
inline constexpr std::uint32_t kFoundRowColour = 0xFFFFB9;
inline constexpr char kClearHistoryQuestion[] = TROV_TEXT("Core", "Clear all search history ?");
inline constexpr std::string_view kColumnSeparator = " <> ";

// Whether the find text (ASCII case ignored) occurs in one of the columns the colouring
// looks at: every column but Date, Time, Browser and Interface. An empty text marks none.
bool rowMarked(const HistoryRecord& record, std::string_view findText);
std::uint32_t rowColour(const HistoryRecord& record, std::size_t row, std::string_view findText);
// What find searches: the caption, then " <> " and each sub-item in order.
std::string rowSearchText(const HistoryRecord& record);

enum class HistoryNavigation { First, Prior, Next, Last };

enum class ClearOutcome { Empty, Declined, Cleared, WriteFailed };

class HistoryView {
public:
    explicit HistoryView(HistoryStore& store) : store_(store), knownRows_(rowCount()) {}

    const std::vector<HistoryRecord>& rows() const { return store_.list().rows; }
    std::size_t rowCount() const { return rows().size(); }

    // The selection. With single selection only the lowest row is kept.
    const std::set<std::size_t>& selection() const { return selected_; }
    void setSelection(std::set<std::size_t> rows);
    void selectOnly(std::size_t row);
    // The selected row with the lowest index, -1 when none.
    int lowestSelected() const;
    bool multiSelect() const { return store_.list().multiSelect; }
    void setMultiSelect(bool on);

    // The detail panel: the record shown last. showSelected copies the lowest selected
    // row there; with none selected the panel stays. False when nothing was copied.
    const HistoryRecord& detail() const { return detail_; }
    bool showSelected();
    void clearDetail() { detail_ = {}; }

    // A navigation button: switches to single selection first; returns the row to scroll
    // into view, or nothing when the button's condition fails.
    std::optional<std::size_t> navigate(HistoryNavigation button);

    // Find: the matching row, selected and shown, to scroll to the middle; nothing when no
    // row matches or the text is empty. The text is remembered unless it is empty.
    std::optional<std::size_t> find(std::string_view text);
    const std::string& lastFindText() const { return lastFind_; }

    // "Delete record": every selected row goes, the detail panel empties and the store is
    // written. False only when that write failed.
    bool deleteSelected(FileError* error = nullptr);
    // "Clear all search history", after its question.
    ClearOutcome clearAll(Messages& messages, FileError* error = nullptr);

    // Rows were added at the top behind the view since it last looked (searches were
    // recorded): the selected records stay selected, as many rows lower, so the highlight
    // goes on showing the record of the detail panel. Told twice, it moves them once.
    void rowsAddedAtTop();
    // The rows were replaced behind the view (an opened file): selections past the end go.
    void rowsReplaced();

private:
    HistoryStore& store_;
    std::size_t knownRows_; // the row count the selection was made on
    std::set<std::size_t> selected_;
    HistoryRecord detail_;
    std::string lastFind_;
};

} // namespace trov
