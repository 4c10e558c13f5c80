// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The auto-hide fade: FadeLevel counts down by 2 per 150 ms tick while the cursor is away
// from the window; above 255 the window stays opaque, 255 to 10 is its opacity, below 10
// it is transparent. Hover, activation, the monitor's top-left corner, a minimise and the
// tray bring it back to 455.

#include "window_models/geometry.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace trov {

inline constexpr int kFadeShown = 455;
inline constexpr int kFadeTickMs = 150;

// What one tick sees of the window and the cursor.
struct FadeInputs {
    bool minimised = false;
    bool visible = true;
    bool active = false;
    Rect window;         // screen coordinates of the frame
    int clientWidth = 0; // the client area starts at the frame's top-left corner
    int clientHeight = 0;
    Point cursor;               // screen coordinates
    std::vector<Rect> monitors; // in the system's order
};

struct FadeStep {
    std::optional<int> opacity; // 0 .. 255 when the tick sets it
    bool toFront = false;       // the corner was touched: foreground, front, focus eURL
};

// `GetPolozaj`: the last monitor whose horizontal range strictly contains the window's
// horizontal centre, or monitor 0 when none does.
std::size_t GetPolozaj(const Rect& window, const std::vector<Rect>& monitors);

class FadeModel {
public:
    int level() const { return level_; }
    // Opaque and counting from the top again (tray, toggle on, minimise).
    void reset() { level_ = kFadeShown; }
    // Shown for the tray: visible and not faded out.
    bool shown(bool visible) const { return visible && level_ >= 10; }

    // `Timer2Timer`.
    FadeStep tick(const FadeInputs& in);

private:
    int level_ = kFadeShown;
};

} // namespace trov
