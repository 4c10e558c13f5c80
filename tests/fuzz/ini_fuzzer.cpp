// Any INI text: every read answers without faulting, and the document written back out
// reads again with the same sections, keys and values.

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
        // Readers look up a few keys each: every key of a section of thousands, each looked
        // up from the top, would make this check itself quadratic.
        std::vector<std::string> keys = doc.keys(section);
        keys.resize(std::min<std::size_t>(keys.size(), 16));
        for (const std::string& key : keys) {
            row.push_back(doc.value(section, key));
            (void)doc.readInt(section, key, 7);
            (void)doc.readBool(section, key, true);
            (void)trov::parseProfileInt(doc.readString(section, key, ""));
        }
    }
    return all;
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
    return 0;
}
