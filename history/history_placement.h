// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the history window sits: read from YY.cfg section VelikostH at its creation,
// written each time it loses activation, and pulled back on screen when it is activated.

#include "settings/config.h"

namespace trov {

enum class HistoryWindowState { Normal = 0, Minimised = 1, Maximised = 2 };

struct HistoryPlacement {
    int left = 10;
    int top = 10;
    int width = 0;
    int height = 0;
    // Normal or maximised: a stored minimised state opens the window normal.
    HistoryWindowState state = HistoryWindowState::Maximised;
    bool operator==(const HistoryPlacement&) const = default;
};

HistoryPlacement readHistoryPlacement(const Config& config);

// Writes Sirina, Visina, Levo, Gor, then Status (1 when the whole application is
// minimised, else the window's own state) with one write of the file, loaded afresh first
// so keys other writers stored stay. Throws IniWriteError.
void writeHistoryPlacement(Config& config, int left, int top, int width, int height,
                           HistoryWindowState state, bool applicationMinimised);

struct WindowOrigin {
    int left = 0;
    int top = 0;
    bool operator==(const WindowOrigin&) const = default;
};

// The activation clamp: a left edge below -1 or past screen width - 60 becomes 0; a top
// edge below -5 becomes 10, past screen height - 60 becomes screen height - 100.
WindowOrigin clampHistoryOrigin(WindowOrigin origin, ScreenSize screen);

} // namespace trov
