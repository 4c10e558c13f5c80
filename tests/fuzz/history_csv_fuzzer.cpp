// SPDX-License-Identifier: GPL-3.0-or-later
// Any CSV file given to the history import: it never faults, and the rows it makes are
// exported and imported back unchanged.

#include "history/history_csv.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trov;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<HistoryRecord> rows = parseHistoryCsv(bytes);
    const std::string csv = historyCsv(rows);
    if (parseHistoryCsv(csv) != rows)
        std::abort();
    return 0;
}
