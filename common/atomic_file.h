#pragma once

// Whole-file reads and crash-safe whole-file writes. A store is written to a temporary
// file beside its target, flushed to disk and renamed over the target, so a crash at any
// moment leaves either the old or the new file, never a half-written one.

#include <optional>
#include <string>
#include <string_view>

namespace trov {

struct FileError {
    std::string path;
    std::string reason;
};

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

bool fileExists(const std::string& path);

} // namespace trov
