// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace trov {

// The nine engine buttons, in the order of the button row.
enum class SearchEngine : std::uint8_t {
    Google,
    Bing,
    DuckDuckGo,
    Ask,
    Swisscows,
    WolframAlpha,
    Wikipedia,
    UrbanDictionary,
    Links,
};

inline constexpr int kEngineCount = 9;

} // namespace trov
