// SPDX-License-Identifier: GPL-3.0-or-later
// Any link-list file: loading never faults, and the link export of what was loaded loads
// again into the same export: the same site line and the same sorted addresses.

#include "crawler/link_list.h"
#include "crawler/results.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trov;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Kept across inputs: each load clears the table, as a second load in the program does.
    static LinkList list;
    const std::string exported = linkExport(list, loadLinkList(list, bytes).site);
    if (list.count >= list.size())
        std::abort();
    if (linkExport(list, loadLinkList(list, exported).site) != exported)
        std::abort();
    return 0;
}
