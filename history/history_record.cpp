#include "history/history_record.h"

namespace trov {

std::vector<HistoryColumn> defaultHistoryColumns() {
    std::vector<HistoryColumn> columns;
    columns.reserve(kHistoryColumns.size());
    for (const auto& c : kHistoryColumns)
        columns.push_back({std::string(c.caption), c.width});
    return columns;
}

} // namespace trov
