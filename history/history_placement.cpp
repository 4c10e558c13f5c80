// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/history_placement.h"

namespace trov {

HistoryPlacement readHistoryPlacement(const Config& config) {
    HistoryPlacement p;
    p.left = config.readInt(cfg::HistLevo);
    p.top = config.readInt(cfg::HistGor);
    p.width = config.readInt(cfg::HistSirina);
    p.height = config.readInt(cfg::HistVisina);
    p.state = config.readInt(cfg::HistStatus) == 2 ? HistoryWindowState::Maximised
                                                   : HistoryWindowState::Normal;
    return p;
}

void writeHistoryPlacement(Config& config, int left, int top, int width, int height,
                           HistoryWindowState state, bool applicationMinimised) {
    const int status = applicationMinimised ? 1 : static_cast<int>(state);
    config.writeAll({{cfg::HistSirina, width},
                     {cfg::HistVisina, height},
                     {cfg::HistLevo, left},
                     {cfg::HistGor, top},
                     {cfg::HistStatus, status}});
}

WindowOrigin clampHistoryOrigin(WindowOrigin o, ScreenSize screen) {
    if (o.left < -1 || o.left > screen.width - 60)
        o.left = 0;
    if (o.top < -5)
        o.top = 10;
    if (o.top > screen.height - 60)
        o.top = screen.height - 100;
    return o;
}

} // namespace trov
