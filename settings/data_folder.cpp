// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/data_folder.h"

#include "platform/paths.h"

#include <filesystem>
#include <sys/stat.h>

namespace trov {

namespace {

std::string withSlash(std::string p) {
    if (p.empty() || p.back() != '/')
        p += '/';
    return p;
}

bool ensureDir(const std::string& dir) {
    if (::mkdir(dir.c_str(), 0700) == 0)
        return true;
    std::error_code ec;
    if (std::filesystem::is_directory(dir, ec))
        return true;
    // A missing parent (a new XDG_DATA_HOME): create the chain, the last level owner-only.
    std::filesystem::create_directories(dir, ec);
    if (ec)
        return false;
    ::chmod(dir.c_str(), 0700);
    return true;
}

DataFolder create(const std::string& base, bool appendTrov) {
    const std::string root = withSlash(base);
    // A "Trov" that cannot be created stays the data folder all the same: stores put in the
    // shared folder above it would be lost from view at the next start, so their writes
    // fail and say so instead.
    const std::string folder = appendTrov ? root + "Trov/" : root;
    ensureDir(folder);
    ensureDir(folder + "YYTemp");
    return DataFolder(folder);
}

} // namespace

DataFolder::DataFolder(std::string path) : path_(withSlash(std::move(path))) {}

DataFolder DataFolder::resolve() {
    return create(platform::userDataHome(), true);
}

DataFolder DataFolder::at(const std::string& dir) {
    return create(dir, false);
}

} // namespace trov
