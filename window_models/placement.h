// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the main window starts, and the expand/collapse toggle that keeps the form on its
// screen wherever the desktop's panels are.

#include "compose/window_heights.h"
#include "settings/config.h"
#include "window_models/fade_model.h"

#include <optional>
#include <vector>

namespace trov {

inline constexpr int kClientWidth = 458;

// [Velikost] Levo and Gor with the start clamps, in this order: Left < -5 gives 5,
// Top < -5 gives 15, Left > screen width - 400 gives screen width - window width,
// Top > screen height - 10 gives screen height - window height (primary screen).
Point startPosition(int levo, int gor, ScreenSize screen, int windowWidth, int windowHeight);
Point startPosition(const Config& config, int windowWidth, int windowHeight);

// The screen whose available area (the screen less its panels) a window belongs to: the one
// it overlaps most, the first (the primary screen) when it overlaps none.
Rect workAreaOf(const Rect& window, const std::vector<Rect>& workAreas);

// Moves a window the least so that it lies inside the available area of a screen.
Point keepOnScreen(Point at, int width, int height, const std::vector<Rect>& workAreas);

struct ExpandResult {
    bool saveSettingsFirst = false; // collapsed: `SaveSettings` with the position before moving
    Point savedPosition;            // the position `SaveSettings` writes
    bool expanded = false;
    int clientHeight = kCollapsedHeight;
    const char* hint = "Expand"; // the expand button's hint
    Point position;              // where the window goes
};

// `csExpandClick` without the widgets: the height, the hint and the position.
class ExpandModel {
public:
    bool expanded() const { return expanded_; }
    bool moved() const { return moved_; }

    // clientHeight and position are the window's before the toggle; frame == client here.
    // workArea is the available area of the window's screen.
    ExpandResult toggle(int clientHeight, Point position, const Rect& workArea);

private:
    bool expanded_ = false;
    bool moved_ = false;
    Point anchored_;
};

} // namespace trov
