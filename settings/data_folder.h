// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The per-user folder every store lives in. It always ends with '/'.

#include <string>
#include <string_view>

namespace trov {

class DataFolder {
public:
    explicit DataFolder(std::string path);

    // $XDG_DATA_HOME/Trov/ with its "YYTemp" sub-folder, created owner-only when missing.
    // Failures are silent, as the window continues with what exists; when "Trov" cannot
    // be created the path stays and the stores' writes fail.
    static DataFolder resolve();
    // An explicit folder (trovctl --data-dir, tests), created the same way.
    static DataFolder at(const std::string& dir);

    const std::string& path() const { return path_; }
    std::string file(std::string_view name) const { return path_ + std::string(name); }

private:
    std::string path_;
};

} // namespace trov
