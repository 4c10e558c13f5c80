// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The history as CSV: 14 values a line, no header, CR LF line ends.

#include "common/atomic_file.h"
#include "history/history_record.h"

#include <string>
#include <string_view>
#include <vector>

namespace trov {

// A text with a character of code 1 to 32, a double quote or a comma goes between double
// quotes with inner quotes doubled; every other text, the empty one included, stays bare.
std::string csvValue(std::string_view text);

std::string historyCsv(const std::vector<HistoryRecord>& rows);

// One row a line, split by the export's quoting; a quoted value may span a line break.
// The first value is the caption, the next 13 the sub-items; missing values are empty,
// values past the 14th are dropped, empty lines are skipped.
std::vector<HistoryRecord> parseHistoryCsv(std::string_view bytes);

// The file of the same name with the extension ".bak".
std::string csvBackupPath(const std::string& path);

// Writes the export to path. An existing file is kept first as its ".bak" file, which
// replaces an older one of that name.
bool exportHistoryCsv(const std::string& path, const std::vector<HistoryRecord>& rows,
                      FileError* error = nullptr);

} // namespace trov
