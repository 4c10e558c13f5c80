// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// "Reset all settings" and the broom (xiMetla): the two commands that return the search
// form to its first entries, the reset undoing every pin, the broom keeping them.

#include "common/translatable.h"

#include <string>
#include <string_view>

namespace trov {

class Config;
class MainWindowCommands;
class Messages;

inline constexpr char kResetQuestion[] = TROV_TEXT("Core", "  Reset all search settings ?  ");

// ResetAll: asks first; on Yes empties the four text fields, puts the six lists on their
// first entries (the browser list on the entry a first run would choose), applies the
// stored background again and writes the six indexes under Pin. The engine and the
// search kind stay. Returns false when the answer was No. Throws IniWriteError when YY.cfg
// cannot be written, after the form was already reset.
bool ResetAll(MainWindowCommands& main, Config& config, Messages& messages,
              std::string_view defaultBrowserName);

// xiMetlaClick: empties the four text fields and the search kind and returns each list to
// its pinned index (the first entry where nothing was pinned). YY.cfg is only read.
void xiMetlaClick(MainWindowCommands& main, Config& config);

} // namespace trov
