// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How a browser opens an address in its private window: the private-window action of its
// desktop entry where it has one, else the flag its family takes on the command line.

#include "platform/browsers.h"

#include <string>
#include <string_view>
#include <vector>

namespace trov::platform {

// One [Desktop Action ID] group of a desktop entry.
struct DesktopAction {
    std::string id;
    std::string name; // Name
    std::string exec; // Exec, with the desktop-entry escapes resolved
};

// The Exec of the first action listed in Actions= whose Exec carries --private-window,
// --incognito or --private, else of the first whose Name says "private" or "incognito";
// empty when there is none. Groups that Actions= does not list are no actions.
std::string privateActionExec(const std::vector<std::string>& listed,
                              const std::vector<DesktopAction>& actions);

enum class BrowserFamily { Other, Chromium, Firefox };

// The family of the program an Exec line runs, by the program's file name.
BrowserFamily browserFamily(std::string_view exec);

// The command that opens an address in the browser's private window: its private action,
// else its Exec with the family's flag after the program; empty when it has neither.
std::string privateWindowCommand(const DesktopBrowser& browser);

} // namespace trov::platform
