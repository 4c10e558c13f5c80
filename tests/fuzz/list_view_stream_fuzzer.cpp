// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes given to the history store reader: it must refuse or accept without a fault,
// and what it accepts must survive a write and a second read unchanged.

#include "history/list_view_stream.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trov;
    HistoryList list;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (!readListViewStream(bytes, list).ok)
        return 0;
    const std::string written = writeListViewStream(list);
    HistoryList again;
    if (!readListViewStream(written, again).ok || writeListViewStream(again) != written)
        std::abort();
    return 0;
}
