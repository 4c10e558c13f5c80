// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/atomic_file.h"

#include <sys/stat.h>

namespace trov {

std::optional<std::string> readWholeFile(const std::string& path, FileError* error) {
    return StoreFile(path).read(error);
}

bool writeFileAtomically(const std::string& path, std::string_view bytes, FileError* error) {
    return StoreFile(path).write(bytes, error);
}

bool writeFileIfChanged(const std::string& path, std::string_view bytes, FileError* error) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
        static_cast<std::size_t>(st.st_size) == bytes.size()) {
        if (const auto current = readWholeFile(path); current && *current == bytes)
            return true;
    }
    return writeFileAtomically(path, bytes, error);
}

bool fileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool pathExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

} // namespace trov
