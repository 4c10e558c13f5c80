// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// "Fill search fields": a history record copied back into the main window's form, the
// engine pressed, the crawl mode restored or the list file loaded again, the window
// expanded when the record needs it.

#include "common/translatable.h"
#include "history/history_record.h"

#include <string>
#include <string_view>

namespace trov {

class MainWindowCommands;

// The list file inside a "Links ( Crawl from a file <path> )" text: from the first "/"
// after "Crawl from a file ", or the drive letter before a ":\" when that comes first, up
// to and including the ".csv" of the first ".csv )"; a ".txt )" path found the same way
// wins. Empty when there is none.
std::string crawlListPathOf(std::string_view engineText);

// Whether the record asks for the expanded form: any of Exact, Exclude, Site or Domain,
// File type, Interface, Country, Language other than "- - -", or a period other than
// "Any time".
bool recordWantsExpansion(const HistoryRecord& record);

enum class FillResult {
    Filled,          // the fields hold the record
    RanOwnEngine,    // the record's own engine ran again
    NoSuchOwnEngine, // the record names an engine that no longer exists: nothing ran
};

// Whether a Search engine column names an own engine rather than an engine button.
bool namesOwnEngine(std::string_view engineText);

// The message for a record whose own engine no longer exists.
inline constexpr char kMissingEngine[] = TROV_TEXT(
    "Core", "The search engine \"%1\" no longer exists.\r\n\r\nThe search fields were filled; "
            "nothing was run.");
std::string missingEngineMessage(std::string_view engineText);

// FillFields for the record the detail panel shows, ending with the suggestion drop-down
// hidden. listHasRows false fills nothing; bringing the main window forward is the
// caller's. A record of an own engine runs it again.
FillResult FillFields(const HistoryRecord& record, bool listHasRows, MainWindowCommands& main);

} // namespace trov
