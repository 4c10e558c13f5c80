// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Go's history: each recorded search becomes row 0 and the store is written at once, off
// the window thread, so a crash or power loss later in the session keeps every search
// whose write has finished, and the browser opens without waiting for the disk.

#include "compose/go_ports.h"
#include "history/history_clock.h"
#include "history/history_store.h"

#include <functional>

namespace trov {

class HistoryGoPort : public HistoryPort {
public:
    // mainWindowVisible tells whether the main window is shown at the moment of Go.
    HistoryGoPort(
        HistoryStore& store, const HistoryClock& clock, Messages& messages,
        std::function<bool()> mainWindowVisible = [] { return true; });

    // Adds the record and hands HistGrid.cld to the store's writer; a refused write is
    // reported as "Unable to write to <path>" at the next search, and searches go on.
    void dodajtabelo(const SearchSnapshot& search) override;

private:
    HistoryStore& store_;
    const HistoryClock& clock_;
    Messages& messages_;
    std::function<bool()> mainWindowVisible_;
};

} // namespace trov
