// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The engine buttons with their kind lists, the fragments each engine's address takes from
// the period and kind selections, and the host names of the services.

#include "compose/search_engine.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace trov {

struct EngineInfo {
    SearchEngine engine;
    std::string_view button;                 // the button's name in the engine row
    std::string_view hint;                   // its hint text
    std::string_view cliName;                // the trovctl --engine value
    int buttonLeft;                          // x offset of the button in the engine row
    std::span<const std::string_view> kinds; // the cbAll entries for this engine
};

extern const std::array<EngineInfo, kEngineCount> kEngines;

const EngineInfo& engineInfo(SearchEngine engine);

// Engine row geometry, for the marker under the pressed button.
inline constexpr int kEngineButtonWidth = 23;
inline constexpr int kEngineButtonHeight = 22;

// Kind indexes that mean "translation" on the engines that have one.
inline constexpr int kTranslateKind = 4;
inline constexpr int kWolframMathKind = 1;

// Address fragments by list index. An index outside a table gives its entry 0.
namespace fragments {
extern const std::array<std::string_view, 6> kGooglePeriod;
extern const std::array<std::string_view, 6> kGoogleKind; // index 4 is the translation rule
extern const std::array<std::string_view, 5> kBingKind;   // index 4 is the translation rule
extern const std::array<std::string_view, 6> kDuckDuckGoPeriod;
extern const std::array<std::string_view, 4> kDuckDuckGoKind;
extern const std::array<std::string_view, 6> kSwisscowsPeriod;
extern const std::array<std::string_view, 5> kSwisscowsKind;

std::string_view at(std::span<const std::string_view> table, int index);
} // namespace fragments

// Where the services live. Everything after the host is fixed by the address rules.
struct EngineHosts {
    std::string google = "https://www.google.com";
    std::string translation = "https://translate.google.com";
    std::string bing = "https://www.bing.com";
    std::string duckDuckGo = "https://duckduckgo.com";
    std::string swisscows = "https://swisscows.com";
    // Bare domains: a language prefix may go in front of them.
    std::string wikipedia = "wikipedia.org";
    std::string wolframAlpha = "wolframalpha.com";
    std::string ask = "ask.com";
    std::string urbanDictionary = "urbandictionary.com";
};

} // namespace trov
