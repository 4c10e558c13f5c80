// SPDX-License-Identifier: GPL-3.0-or-later
// Any suggestion line: parsing never faults, de-duplication leaves no entry that a later
// one's trimmed text equals (ASCII case folded), and entries written back by the store's
// quoting read back the same.

#include "common/text.h"
#include "suggest/suggestion_text.h"

#include <cstdint>
#include <cstdlib>
#include <unordered_set>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trov;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> entries = parseSuggestionText(bytes);
    deduplicateSuggestions(entries);

    // No survivor's lower-cased text is the trimmed lower-cased text of a later one.
    std::unordered_set<std::string> earlier;
    for (std::size_t j = 0; j < entries.size(); ++j) {
        if (j > 0 && earlier.count(text::toLower(text::trim(entries[j]))))
            std::abort();
        earlier.insert(text::toLower(entries[j]));
    }

    // Entries the store can hold (no NUL, no line break) survive a write and a read,
    // the last one with the blank its line end leaves.
    std::vector<std::string> storable;
    for (const std::string& e : entries)
        if (e.find_first_of(std::string_view("\0\r\n", 3)) == std::string::npos)
            storable.push_back(e);
    if (storable.empty())
        return 0;
    std::string line = joinSuggestionText(storable) + "\r\n";
    blankLineBreaks(line);
    std::vector<std::string> back = parseSuggestionText(line);
    storable.back() += ' ';
    if (back != storable)
        std::abort();
    return 0;
}
