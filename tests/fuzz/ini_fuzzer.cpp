// SPDX-License-Identifier: GPL-3.0-or-later
// Any INI text: every read answers without faulting, and the document written back out
// reads again with the same sections, keys and values. The same text is then read as
// engines.cfg.

#include "compose/own_engines.h"
#include "settings/ini.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

using Snapshot = std::vector<std::vector<std::optional<std::string>>>;

// Everything a reader can see: each section's keys and their values.
Snapshot readAll(const trov::IniDocument& doc, std::vector<std::string>& names) {
    Snapshot all;
    names = doc.sections();
    for (const std::string& section : names) {
        if (!doc.hasSection(section))
            std::abort();
        auto& row = all.emplace_back();
        for (const std::string& key : doc.keys(section)) {
            row.push_back(doc.value(section, key));
            (void)doc.readInt(section, key, 7);
            (void)doc.readBool(section, key, true);
            (void)trov::parseProfileInt(doc.readString(section, key, ""));
        }
    }
    return all;
}

// Every valid engine expands its address and is found by its key.
void readAsEngines(std::string_view bytes) {
    const trov::OwnEngines engines = trov::parseOwnEngines(bytes);
    const trov::TemplateFields fields{"a b", "c", "d", "e.org", "pdf", "DE", "de", "zh-CN"};
    for (const trov::OwnEngine& engine : engines.engines) {
        (void)trov::expandAddress(engine.address, fields);
        if (engine.key.empty())
            continue;
        const auto match = trov::matchKeyword(engines, engine.key + "  x");
        if (!match || match->engine != &engine || match->rest != "x")
            std::abort();
    }
    for (const trov::InvalidEngine& invalid : engines.invalid)
        (void)trov::invalidEngineLine(invalid);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const trov::IniDocument doc = trov::IniDocument::parse(bytes);
    std::vector<std::string> names, namesBack;
    const Snapshot first = readAll(doc, names);
    const trov::IniDocument back = trov::IniDocument::parse(doc.serialize());
    if (readAll(back, namesBack) != first || namesBack != names)
        std::abort();
    readAsEngines(bytes);
    return 0;
}
