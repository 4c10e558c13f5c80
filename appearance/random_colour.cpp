// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/random_colour.h"

#include <chrono>

namespace trov {

int nextRandomColour(std::uint32_t& seed) {
    seed = seed * 134775813u + 1u;
    return static_cast<int>((std::uint64_t{seed} * 16777215u) >> 32);
}

std::uint32_t performanceCounterSeed() {
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(ticks).count());
}

} // namespace trov
