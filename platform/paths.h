// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the desktop keeps a user's files, by the XDG base-directory rules, and where the
// running program lives.

#include <string>
#include <vector>

namespace trov::platform {

// $XDG_DATA_HOME, default ~/.local/share; never ends with '/'.
std::string userDataHome();
// $XDG_CONFIG_HOME, default ~/.config.
std::string userConfigHome();
// $XDG_DATA_DIRS, default /usr/local/share:/usr/share, in order.
std::vector<std::string> systemDataDirs();
// $XDG_CONFIG_DIRS, default /etc/xdg, in order.
std::vector<std::string> systemConfigDirs();
// Full path of the running executable (from /proc/self/exe), empty when unknown.
std::string executablePath();
// Folder of the running executable, ending with '/', empty when unknown.
std::string executableDir();
// Folders that may hold the stores shipped with the program: the executable's folder,
// then <prefix>/share/trov/ of an installed build. Each ends with '/'.
std::vector<std::string> shippedStoreDirs();

} // namespace trov::platform
