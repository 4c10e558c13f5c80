// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// "Random color": the generator of the Windows program, kept so a seed gives the same
// colour there and here.

#include <cstdint>

namespace trov {

// One draw in 0 .. 16777214 (pure white never comes up): the seed advances as
// seed * 134775813 + 1 (mod 2^32), the value is the upper half of seed * 16777215.
int nextRandomColour(std::uint32_t& seed);

// The low 32 bits of the monotonic high-resolution clock, the seed of every draw.
std::uint32_t performanceCounterSeed();

} // namespace trov
