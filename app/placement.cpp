#include "app/placement.h"

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

ExpandResult ExpandModel::toggle(int clientHeight, Point position, const BottomPanel& panel) {
    ExpandResult r;
    Point p = position;
    if (clientHeight < 350) {
        r.saveSettingsFirst = true;
        r.savedPosition = p;
        // A collapsed window resting on the panel is lifted and remembered, so collapsing
        // puts it back where it sat.
        if (panel.atBottom && p.y + clientHeight > panel.workAreaBottom - 10) {
            p.y = panel.workAreaBottom - clientHeight;
            anchored_ = p;
            moved_ = true;
        }
    }
    if (clientHeight <= 350) {
        expanded_ = true;
        r.hint = "Collapse";
        r.clientHeight = kExpandedHeight;
        if (panel.atBottom && p.y + kExpandedHeight > panel.workAreaBottom)
            p.y = panel.workAreaBottom - kExpandedHeight;
    } else {
        expanded_ = false;
        r.hint = "Expand";
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
