// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Which Qt platform the window program asks for. On a Wayland session a client cannot place
// its own window, keep it on top or follow the cursor to a screen corner, so Trov goes
// through XWayland when an X display is there. The user's own QT_QPA_PLATFORM always wins.

#include <optional>
#include <string>

namespace trov::platform {

// The values of WAYLAND_DISPLAY, DISPLAY and QT_QPA_PLATFORM (null or empty when unset).
// Gives the platform to set, or nothing to leave Qt's own choice.
std::optional<std::string> chosenQtPlatform(const char* waylandDisplay, const char* display,
                                            const char* qtPlatform);

// The same, read from this process's environment.
std::optional<std::string> chosenQtPlatform();

} // namespace trov::platform
