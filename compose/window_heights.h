// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window's two client heights: the collapsed search box and the expanded form.

namespace trov {

inline constexpr int kCollapsedHeight = 80;
inline constexpr int kExpandedHeight = 440;

} // namespace trov
