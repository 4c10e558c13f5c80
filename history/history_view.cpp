// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/history_view.h"

#include "common/messages.h"
#include "common/text.h"

#include <array>

namespace trov {

namespace {

constexpr std::array kMarkedColumns = {kColSearch,   kColExact,   kColExclude,  kColSite,
                                       kColFileType, kColCountry, kColLanguage, kColPeriod,
                                       kColEngine,   kColType};

} // namespace

bool rowMarked(const HistoryRecord& record, std::string_view findText) {
    if (findText.empty())
        return false;
    for (std::size_t c : kMarkedColumns)
        if (text::containsIgnoreCase(record[c], findText))
            return true;
    return false;
}

std::uint32_t rowColour(const HistoryRecord& record, std::size_t row, std::string_view findText) {
    if (rowMarked(record, findText))
        return kFoundRowColour;
    return row % 2 == 0 ? kEvenRowColour : kOddRowColour;
}

std::string rowSearchText(const HistoryRecord& record) {
    std::string s(record[0]);
    for (std::size_t c = 1; c < kHistoryColumnCount; ++c) {
        s += kColumnSeparator;
        s += record[c];
    }
    return s;
}

void HistoryView::setSelection(std::set<std::size_t> rows) {
    std::erase_if(rows, [&](std::size_t r) { return r >= rowCount(); });
    if (!multiSelect() && rows.size() > 1)
        rows = {*rows.begin()};
    selected_ = std::move(rows);
}

void HistoryView::selectOnly(std::size_t row) {
    selected_.clear();
    if (row < rowCount())
        selected_.insert(row);
}

int HistoryView::lowestSelected() const {
    return selected_.empty() ? -1 : static_cast<int>(*selected_.begin());
}

void HistoryView::setMultiSelect(bool on) {
    store_.list().multiSelect = on;
    if (!on)
        setSelection(selected_);
}

bool HistoryView::showSelected() {
    const int row = lowestSelected();
    if (row < 0)
        return false;
    detail_ = rows()[static_cast<std::size_t>(row)];
    return true;
}

std::optional<std::size_t> HistoryView::navigate(HistoryNavigation button) {
    setMultiSelect(false);
    const int selected = lowestSelected();
    const int last = static_cast<int>(rowCount()) - 1;
    int target = -1;
    switch (button) {
    case HistoryNavigation::First:
        if (selected >= 1)
            target = 0;
        break;
    case HistoryNavigation::Prior:
        if (selected >= 1)
            target = selected - 1;
        break;
    case HistoryNavigation::Next:
        if (selected < last)
            target = selected + 1; // none selected: row 0
        break;
    case HistoryNavigation::Last:
        if (selected < last)
            target = last;
        break;
    }
    if (target < 0)
        return std::nullopt;
    selectOnly(static_cast<std::size_t>(target));
    showSelected();
    return static_cast<std::size_t>(target);
}

std::optional<std::size_t> HistoryView::find(std::string_view textToFind) {
    if (textToFind.empty())
        return std::nullopt;
    const std::size_t count = rowCount();
    std::size_t start = 0;
    if (textToFind == lastFind_ && !selected_.empty())
        start = *selected_.begin() + 1;
    if (start >= count)
        start = 0;
    lastFind_ = std::string(textToFind);

    const auto matches = [&](std::size_t row) {
        return text::containsIgnoreCase(rowSearchText(rows()[row]), textToFind);
    };
    bool ahead = false;
    for (std::size_t r = start; r < count && !ahead; ++r)
        ahead = matches(r);
    if (!ahead)
        start = 0; // wrap round to the top
    for (std::size_t r = start; r < count; ++r)
        if (matches(r)) {
            selectOnly(r);
            showSelected();
            return r;
        }
    return std::nullopt;
}

bool HistoryView::deleteSelected(FileError* error) {
    for (auto it = selected_.rbegin(); it != selected_.rend(); ++it)
        store_.removeRow(*it);
    selected_.clear();
    clearDetail();
    const bool written = store_.ShraniTabelo(error);
    knownRows_ = rowCount();
    return written;
}

ClearOutcome HistoryView::clearAll(Messages& messages, FileError* error) {
    if (rowCount() == 0)
        return ClearOutcome::Empty;
    if (!messages.ask(kClearHistoryQuestion))
        return ClearOutcome::Declined;
    store_.clearRows();
    selected_.clear();
    clearDetail();
    const bool written = store_.ShraniTabelo(error);
    knownRows_ = rowCount();
    return written ? ClearOutcome::Cleared : ClearOutcome::WriteFailed;
}

void HistoryView::rowsAddedAtTop() {
    const std::size_t added = rowCount() > knownRows_ ? rowCount() - knownRows_ : 0;
    std::set<std::size_t> moved;
    for (std::size_t row : selected_)
        moved.insert(row + added);
    setSelection(std::move(moved));
    knownRows_ = rowCount();
}

void HistoryView::rowsReplaced() {
    setSelection(selected_);
    knownRows_ = rowCount();
}

} // namespace trov
