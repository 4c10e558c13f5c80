// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The suggestions manager's list (`lista`) as a model: the rows sorted alphabetically
// without regard to ASCII case, each with a check mark and a highlight, and the
// operations its toolbar and keys run. The dialog itself only draws this.

#include "common/messages.h"
#include "common/translatable.h"
#include "suggest/suggestion_store.h"

#include <optional>
#include <string>
#include <vector>

namespace trov {

inline constexpr char kDeleteSuggestionsQuestion[] =
    TROV_TEXT("Core", "Delete all selected suggestions ?");

class SuggestionManager {
public:
    // Empties the list and adds the entries; the list keeps itself sorted.
    void fill(const std::vector<std::string>& entries);

    const std::vector<std::string>& rows() const { return rows_; }
    bool marked(std::size_t row) const { return marks_.at(row); }
    bool highlighted(std::size_t row) const { return highlights_.at(row); }

    // A click on a row (its box or its text) or Space on the focused row.
    void toggleMark(std::size_t row);
    void selectAll();       // "Select all": mark every row
    void invertSelection(); // "Invert selection": toggle every mark
    // Find: highlights (does not mark) the rows that hold the text, ASCII case ignored;
    // an empty text highlights nothing.
    void find(std::string_view text);

    // "Delete": on Yes every marked row goes and the store is rewritten from the rest.
    // False only when the rewrite failed (the rows then stay as they were).
    bool deleteMarked(Messages& messages, SuggestionStore& store, FileError* error = nullptr);

    // Removes every row equal to text, ASCII case ignored.
    void removeEqual(std::string_view text);

private:
    std::vector<std::string> rows_;
    std::vector<bool> marks_;
    std::vector<bool> highlights_;
};

// "Delete search suggestion" of the drop-down: refills the manager's list from the store
// and, when a drop-down row is selected, removes the entries equal to it and rewrites the
// store through the manager's list. With no row selected nothing is written. Returns
// false only when the rewrite failed.
bool deleteSearchSuggestion(SuggestionStore& store, SuggestionManager& manager,
                            const std::optional<std::string>& selectedRow,
                            FileError* error = nullptr);

} // namespace trov
