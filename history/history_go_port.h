#pragma once

// Go's history: each recorded search becomes row 0 and the store is written at once, so
// a crash or power loss later in the session keeps every search made so far.

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

    // Adds the record and writes HistGrid.cld; a refused write is reported as
    // "Unable to write to <path>" and the search goes on.
    void dodajtabelo(const SearchSnapshot& search) override;

private:
    HistoryStore& store_;
    const HistoryClock& clock_;
    Messages& messages_;
    std::function<bool()> mainWindowVisible_;
};

} // namespace trov
