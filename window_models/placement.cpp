// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_models/placement.h"

#include "common/translatable.h"

#include <algorithm>

namespace trov {

Point startPosition(int levo, int gor, ScreenSize screen, int windowWidth, int windowHeight) {
    Point p{levo, gor};
    if (p.x < -5)
        p.x = 5;
    if (p.y < -5)
        p.y = 15;
    if (p.x > screen.width - 400)
        p.x = screen.width - windowWidth;
    if (p.y > screen.height - 10)
        p.y = screen.height - windowHeight;
    return p;
}

Point startPosition(const Config& config, int windowWidth, int windowHeight) {
    return startPosition(config.readInt(cfg::VelikostLevo), config.readInt(cfg::VelikostGor),
                         config.screen(), windowWidth, windowHeight);
}

Rect workAreaOf(const Rect& window, const std::vector<Rect>& workAreas) {
    Rect best;
    long bestOverlap = -1;
    for (const Rect& a : workAreas) {
        const long w = std::min(window.right(), a.right()) - std::max(window.left, a.left);
        const long h = std::min(window.bottom(), a.bottom()) - std::max(window.top, a.top);
        const long overlap = w > 0 && h > 0 ? w * h : 0;
        if (overlap > bestOverlap) {
            best = a;
            bestOverlap = overlap;
        }
    }
    return best;
}

Point keepOnScreen(Point at, int width, int height, const std::vector<Rect>& workAreas) {
    if (workAreas.empty())
        return at;
    const Rect a = workAreaOf({at.x, at.y, width, height}, workAreas);
    // A window larger than the area keeps its top-left corner on it.
    at.x = std::max(a.left, std::min(at.x, a.right() - width));
    at.y = std::max(a.top, std::min(at.y, a.bottom() - height));
    return at;
}

ExpandResult ExpandModel::toggle(int clientHeight, Point position, const Rect& workArea) {
    ExpandResult r;
    Point p = position;
    const int bottom = workArea.bottom();
    if (clientHeight < 350) {
        r.saveSettingsFirst = true;
        r.savedPosition = p;
        // A collapsed window resting on the bottom of the free area is lifted and
        // remembered, so collapsing puts it back where it sat.
        if (p.y + clientHeight > bottom - 10) {
            p.y = bottom - clientHeight;
            anchored_ = p;
            moved_ = true;
        }
    }
    if (clientHeight <= 350) {
        expanded_ = true;
        r.hint = TROV_TEXT("Core", "Collapse");
        r.clientHeight = kExpandedHeight;
        const Point collapsedAt = p;
        if (p.y + kExpandedHeight > bottom)
            p.y = bottom - kExpandedHeight;
        // On a screen too short for the form (a small one at a high scale) the search box
        // stays in reach rather than the bottom row.
        p.y = std::max(p.y, workArea.top);
        // Moved to fit, the form goes back where it was when it collapses.
        if (!moved_ && p != collapsedAt) {
            anchored_ = collapsedAt;
            moved_ = true;
        }
    } else {
        expanded_ = false;
        r.hint = TROV_TEXT("Core", "Expand");
        r.clientHeight = kCollapsedHeight;
        if (moved_) {
            p = anchored_;
            moved_ = false;
        }
    }
    r.expanded = expanded_;
    r.position = p;
    return r;
}

} // namespace trov
