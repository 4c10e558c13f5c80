// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as an engine's suggestions answer: reading never faults, every text read is one
// line, and the texts written back as an answer read back the same.

#include "suggest/engine_suggestions.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trov;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto texts = readSuggestionsJson(bytes);
    if (!texts)
        return 0;
    std::string again = "[\"q\",[";
    for (const std::string& t : *texts) {
        for (const char c : t)
            if (static_cast<unsigned char>(c) < 32)
                std::abort();
        again += (again.back() == '[' ? "\"" : ",\"");
        for (const char c : t)
            again += c == '"' || c == '\\' ? std::string{'\\', c} : std::string(1, c);
        again += '"';
    }
    again += "]]";
    if (again.size() <= kMaxSuggestionsAnswer && readSuggestionsJson(again) != texts)
        std::abort();
    return 0;
}
