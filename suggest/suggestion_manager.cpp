// SPDX-License-Identifier: GPL-3.0-or-later
#include "suggest/suggestion_manager.h"

#include "common/text.h"

#include <algorithm>

namespace trov {

void SuggestionManager::fill(const std::vector<std::string>& entries) {
    rows_ = entries;
    std::stable_sort(rows_.begin(), rows_.end(), [](const std::string& a, const std::string& b) {
        return text::compareIgnoreCase(a, b) < 0;
    });
    marks_.assign(rows_.size(), false);
    highlights_.assign(rows_.size(), false);
}

void SuggestionManager::toggleMark(std::size_t row) {
    if (row < marks_.size())
        marks_[row] = !marks_[row];
}

void SuggestionManager::selectAll() {
    marks_.assign(rows_.size(), true);
}

void SuggestionManager::invertSelection() {
    marks_.flip();
}

void SuggestionManager::find(std::string_view text) {
    highlights_.assign(rows_.size(), false);
    if (text.empty())
        return;
    for (std::size_t i = 0; i < rows_.size(); ++i)
        highlights_[i] = text::containsIgnoreCase(rows_[i], text);
}

bool SuggestionManager::deleteMarked(Messages& messages, SuggestionStore& store, FileError* error) {
    if (!messages.ask(kDeleteSuggestionsQuestion))
        return true;
    std::vector<std::string> kept;
    kept.reserve(rows_.size());
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (!marks_[i])
            kept.push_back(rows_[i]);
    if (!store.OsveziSuggBazo(kept, error))
        return false;
    fill(kept);
    return true;
}

void SuggestionManager::removeEqual(std::string_view text) {
    std::vector<std::string> kept;
    kept.reserve(rows_.size());
    for (std::string& r : rows_)
        if (!text::equalsIgnoreCase(r, text))
            kept.push_back(std::move(r));
    fill(kept);
}

bool deleteSearchSuggestion(SuggestionStore& store, SuggestionManager& manager,
                            const std::optional<std::string>& selectedRow, FileError* error) {
    manager.fill(store.suggestionList());
    if (!selectedRow)
        return true;
    manager.removeEqual(*selectedRow);
    return store.OsveziSuggBazo(manager.rows(), error);
}

} // namespace trov
