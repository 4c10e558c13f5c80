// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as an OpenSearch description, and as the web page that would link one: reading
// never faults; an engine made from a description is a valid own engine whose section,
// appended to engines.cfg, reads back as the same engine; the page's link scan ends.

#include "compose/engine_add.h"
#include "compose/own_engines.h"
#include "compose/search_link.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trov;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    (void)findSearchLink(bytes);
    const std::optional<OpenSearchDescription> description = readOpenSearchDescription(bytes);
    if (!description)
        return 0;
    const auto described = describedEngine(*description);
    const auto* engine = std::get_if<DescribedEngine>(&described);
    if (!engine)
        return 0;
    const std::string file = appendEngineSection("; mine\n", engine->name, "k", *engine);
    if (!file.starts_with("; mine\n"))
        std::abort();
    const OwnEngines back = parseOwnEngines(file);
    if (back.engines.size() != 1 || !back.invalid.empty())
        std::abort();
    const OwnEngine& e = back.engines[0];
    if (e.name != engine->name || e.key != "k" || e.address != engine->address ||
        e.suggest != engine->suggest)
        std::abort();
    return 0;
}
