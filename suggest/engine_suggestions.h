// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Suggestions from an own engine: its Suggest address asked for the typed text, answering
// in the OpenSearch suggestions format, a JSON array of the query and an array of texts.

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trov {

// The largest answer read: far more than any engine sends for a few rows.
inline constexpr std::size_t kMaxSuggestionsAnswer = 256 * 1024;
inline constexpr std::chrono::milliseconds kEngineSuggestTimeout{1500};

// The texts of an answer in the suggestions format, in the engine's order; elements after
// the texts' array are not read, and control characters in a text become blanks. nullopt
// for anything else, with the reason in error.
std::optional<std::vector<std::string>> readSuggestionsJson(std::string_view body,
                                                            std::string* error = nullptr);

// The address an engine is asked: its Suggest template with the typed text in {query},
// {words} and {raw}; none of the form's other fields is sent.
std::string engineSuggestAddress(std::string_view suggestTemplate, const std::string& text);

struct OwnEngines;
struct OwnEngine;

// What the drop-down asks while the search box holds typed: the own engine whose key
// leads it, followed by more words, when that engine has a Suggest address; nullopt when
// no engine is asked.
struct EngineSuggestQuery {
    const OwnEngine* engine = nullptr;
    std::string text; // the words after the key
};
std::optional<EngineSuggestQuery> engineSuggestQuery(const OwnEngines& engines,
                                                     std::string_view typed);

struct EngineSuggestAnswer {
    std::optional<std::vector<std::string>> texts; // nullopt: no answer in the format
    std::string error;                             // why not
};

// Asks the engine and reads its answer; blocks up to kEngineSuggestTimeout.
EngineSuggestAnswer fetchEngineSuggestions(const std::string& address);

} // namespace trov
