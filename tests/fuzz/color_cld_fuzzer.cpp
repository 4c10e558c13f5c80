// SPDX-License-Identifier: GPL-3.0-or-later
// Any "color.cld" bytes: reading never faults, a refused stream says why, and a state
// that was read survives a write and a read unchanged.

#include "appearance/color_cld.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trov;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string error;
    const std::optional<ColourDialogState> state = parseColorCld(bytes, &error);
    if (!state) {
        if (error.empty())
            std::abort();
        return 0;
    }
    const std::string written = serializeColorCld(*state);
    const std::optional<ColourDialogState> back = parseColorCld(written);
    if (!back || back->colour != state->colour || back->customColours != state->customColours)
        std::abort();
    return 0;
}
