// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The YY.cfg keys of the main window's life: what start reads, what the menu toggles write
// at once, `SaveSettings`, and what the two ways of ending write.

#include "settings/config.h"
#include "window_models/geometry.h"

#include <functional>
#include <string>
#include <vector>

namespace trov {

// The window options start restores (after the pins and the colour).
struct WindowOptions {
    bool noticeSuppressed = false; // [Options] optAutohide
    bool autoHide = false;         // [General] HideSek = 1
    bool stayOnTop = true;         // [General] OnTop = 1
    bool loadAtStartup = true;     // [Config] load = 1
    bool showOnStartTicked = true; // [Config] showonstart = 1 (any other value unticks)
};

WindowOptions readWindowOptions(const Config& config);

// `SaveSettings`: [Velikost] Levo and Gor from the window's normal position and [Config]
// load from "Load at windows startup", in one write. Only called while collapsed.
void SaveSettings(Config& config, Point normalPosition, bool loadAtStartup);

// The menu toggles that write at once: 1 when ticked, else 0.
void writeStayOnTop(Config& config, bool ticked);               // [General] OnTop
void writeAutoHide(Config& config, bool ticked);                // [General] HideSek
void writeShowOnStart(Config& config, bool ticked);             // [Config] showonstart
void writeNoticeSuppressed(Config& config, bool dontShowAgain); // [Options] optAutohide

enum class ExitPath {
    Close,        // closing the window or the tray's "Exit": the whole close sequence
    MainMenuExit, // the main menu's "Exit": position and history only, then end at once
};

struct CloseState {
    bool collapsed = true; // client height below 350
    Point normalPosition;
    bool loadAtStartup = true;
    bool showOnStartTicked = true;
    int browserIndex = 0;
};

// Runs the writes of one way of ending: `SaveSettings` when collapsed, the history save,
// and on the close path [Config] showonstart, [Pin] Browser and [Pin] PrviZagon = 0 in one
// write. Every step runs even when an earlier one was refused, so a read-only YY.cfg does
// not cost the history; the refusals' texts ("Unable to write to ...") are returned.
std::vector<std::string> runExitWrites(Config& config, const CloseState& state, ExitPath path,
                                       const std::function<void()>& saveHistory);

} // namespace trov
