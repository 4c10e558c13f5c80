// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Applying this program's changes to the history another program wrote meanwhile. The
// history window and Go change rows in three ways only, a row added, a row removed and
// all rows cleared, and every command is a sequence of them (an import or an opened file
// clears and adds the new rows), so replaying that sequence on the rows the store holds
// now keeps both programs' work: rows added elsewhere stay unless this program cleared
// the history after them, rows removed here stay removed, and the rows added here go in
// by their date and time.

#include "history/history_record.h"

#include <vector>

namespace trov {

struct HistoryEdit {
    enum class Kind { Added, Removed, Cleared };
    Kind kind;
    HistoryRecord row;
};

// Rows are newest first. An added row goes above the first row that is not newer than
// it; a row whose date or time cannot be read counts as newest.
void replayHistoryEdits(std::vector<HistoryRecord>& rows, const std::vector<HistoryEdit>& edits);

} // namespace trov
