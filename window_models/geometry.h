// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Screen geometry of the window models, in pixels.

namespace trov {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const Rect&) const = default;
};

} // namespace trov
