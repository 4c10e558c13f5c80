// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_models/fade_model.h"

namespace trov {

std::size_t GetPolozaj(const Rect& window, const std::vector<Rect>& monitors) {
    const int centre = window.left + window.width / 2;
    std::size_t found = 0;
    for (std::size_t i = 0; i < monitors.size(); ++i)
        if (monitors[i].left < centre && centre < monitors[i].right())
            found = i;
    return found;
}

FadeStep FadeModel::tick(const FadeInputs& in) {
    FadeStep step;
    if (in.minimised) {
        step.opacity = 255;
        level_ = kFadeShown;
    }
    if (!in.visible)
        return step;

    const int x = in.cursor.x - in.window.left;
    const int y = in.cursor.y - in.window.top;

    if (x >= 0 && x < in.clientWidth && y >= 0 && y < in.clientHeight && level_ > 10) {
        step.opacity = 255;
        level_ = kFadeShown;
    }
    if (in.active) {
        step.opacity = 255;
        level_ = kFadeShown;
    }
    if (!in.monitors.empty()) {
        const Rect& m = in.monitors[GetPolozaj(in.window, in.monitors)];
        // The corner is 14 x 15 pixels of this monitor; a monitor stacked above does not
        // count as its corner.
        if (in.cursor.x >= m.left && in.cursor.x <= m.left + 13 && in.cursor.y >= m.top &&
            in.cursor.y < m.top + 15) {
            step.opacity = 255;
            level_ = kFadeShown;
            step.toFront = true;
        }
    }
    // The fade test is inclusive at the far edges, unlike the hover test, as it always was.
    if (y < 0 || y > in.clientHeight || x < 0 || x > in.window.width) {
        if (level_ > 0)
            level_ -= 2;
        if (level_ <= 255)
            step.opacity = level_ < 10 ? 0 : level_;
    }
    return step;
}

} // namespace trov
