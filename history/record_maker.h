// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How the main window's fields at the moment of Go become a history record (dodajtabelo).

#include "compose/search_snapshot.h"
#include "history/history_clock.h"
#include "history/history_record.h"

#include <string>

namespace trov {

// The text of the crawler menu's checked mode inside the Links entry; the items are tested
// in a fixed order and a later checked item replaces an earlier one's text.
std::string crawlModeText(const CrawlMarks& marks, const std::string& crawlListFile);

// The Search engine column.
std::string engineColumnText(SearchEngine engine, const CrawlMarks& marks,
                             const std::string& crawlListFile);

// mainWindowVisible: whether the main window is shown; a hidden expanded window records
// the list columns as absent.
HistoryRecord makeHistoryRecord(const SearchSnapshot& search, bool mainWindowVisible,
                                const HistoryClock& clock);

} // namespace trov
