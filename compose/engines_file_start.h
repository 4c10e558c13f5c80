// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// "Edit engines...": a missing engines.cfg starts from the commented example shipped with
// the program, found beside the program (a build tree) or in its share folder (installed).

#include "common/translatable.h"

#include <string>
#include <vector>

namespace trov {

class Messages;

inline constexpr char kNoEnginesExample[] =
    TROV_TEXT("Core", "engines.cfg.example was found in none of these folders:");
inline constexpr char kEnginesFileEmpty[] = TROV_TEXT("Core", "The new engines.cfg is empty.");

// The message for an engines.cfg made empty because no folder held the example.
std::string noEnginesExampleMessage(const std::vector<std::string>& shippedDirs);

// Makes engines.cfg at path when it is missing: the example from the first of shippedDirs
// that holds one; none holding it, an empty file and a message saying why. False, after
// saying so, when the file cannot be written. An existing file is left as it is.
bool startEnginesFile(const std::string& path, const std::vector<std::string>& shippedDirs,
                      Messages& messages);

} // namespace trov
