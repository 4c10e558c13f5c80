// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The history store format: the history list view written as a binary component stream
// ("TPF0"), byte for byte as the Windows program writes it, so stores move both ways.

#include "history/history_list.h"

#include <memory>
#include <string>
#include <string_view>

namespace trov {

// Longest text a stored row keeps; longer texts are cut on save (never inside a UTF-8
// character), while the list in memory keeps them whole.
inline constexpr std::size_t kStoredTextLimit = 255;

std::string writeListViewStream(const HistoryList& list);

// Size in bytes of the Items.Data block for these rows, its own size field included.
std::size_t itemsDataSize(const std::vector<HistoryRecord>& rows);

struct StreamReadResult {
    bool ok = false;
    std::string reason; // why the stream was refused
};

// Applies the stream to list property by property, in the order the stream has them.
// "Columns" replaces the columns and "Items.Data" the rows; other presentation
// properties are taken where the list keeps them and skipped otherwise. On a corrupt
// stream the list stays as far as it was read and the result says why.
StreamReadResult readListViewStream(std::string_view bytes, HistoryList& list);
// The same, with the rows keeping their texts in the stream's own bytes.
using StoreBytes = std::shared_ptr<const std::string>;
StreamReadResult readListViewStream(StoreBytes bytes, HistoryList& list);

} // namespace trov
