// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Whole-file reads and crash-safe whole-file writes, for files with one writer (exports,
// the autostart entry, the result page). Stores that two programs write go through
// StoreFile with its lock and stamp.

#include "common/store_file.h"

#include <optional>
#include <string>
#include <string_view>

namespace trov {

// The whole file, or nothing when it does not exist or cannot be read. When error is
// given it receives the reason for a file that exists but cannot be read.
std::optional<std::string> readWholeFile(const std::string& path, FileError* error = nullptr);

// Replaces path with bytes atomically; returns false (and fills error) on failure, in
// which case the old file is untouched.
bool writeFileAtomically(const std::string& path, std::string_view bytes,
                         FileError* error = nullptr);

// As writeFileAtomically, but a file that already holds exactly these bytes is left as it
// is: the disk ends the same, and settings rewritten unchanged at every start cost no
// flush to disk. For small files, which it reads to compare.
bool writeFileIfChanged(const std::string& path, std::string_view bytes,
                        FileError* error = nullptr);

// A regular file is there.
bool fileExists(const std::string& path);
// Anything is there under that name, a folder included.
bool pathExists(const std::string& path);

} // namespace trov
