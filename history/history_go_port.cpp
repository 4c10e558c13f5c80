// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/history_go_port.h"

#include "history/record_maker.h"

namespace trov {

HistoryGoPort::HistoryGoPort(HistoryStore& store, const HistoryClock& clock, Messages& messages,
                             std::function<bool()> mainWindowVisible)
    : store_(store), clock_(clock), messages_(messages),
      mainWindowVisible_(std::move(mainWindowVisible)) {}

void HistoryGoPort::dodajtabelo(const SearchSnapshot& search) {
    store_.addNewest(makeHistoryRecord(search, mainWindowVisible_(), clock_));
    // The write of an earlier search may have failed meanwhile: it is told now, since the
    // writer has no window to tell it in.
    if (const auto failure = store_.laterWriteFailure())
        messages_.show(MessageIcon::Error, unableToWrite(failure->path));
    store_.ShraniTabeloLater();
}

} // namespace trov
