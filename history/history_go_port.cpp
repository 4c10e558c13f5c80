#include "history/history_go_port.h"

#include "history/record_maker.h"

namespace trov {

HistoryGoPort::HistoryGoPort(HistoryStore& store, const HistoryClock& clock, Messages& messages,
                             std::function<bool()> mainWindowVisible)
    : store_(store), clock_(clock), messages_(messages),
      mainWindowVisible_(std::move(mainWindowVisible)) {}

void HistoryGoPort::dodajtabelo(const SearchSnapshot& search) {
    store_.addNewest(makeHistoryRecord(search, mainWindowVisible_(), clock_));
    FileError error;
    if (!store_.ShraniTabelo(&error))
        messages_.show(MessageIcon::Error, "Unable to write to " + error.path);
}

} // namespace trov
