// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/paths.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace trov::platform {

namespace {

std::string homeDir() {
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir)
        return pw->pw_dir;
    return "/tmp";
}

std::string withoutTrailingSlash(std::string p) {
    while (p.size() > 1 && p.back() == '/')
        p.pop_back();
    return p;
}

// XDG variables must hold absolute paths; anything else is ignored.
std::string xdgDir(const char* variable, const char* fallbackBelowHome) {
    if (const char* v = std::getenv(variable); v && v[0] == '/')
        return withoutTrailingSlash(v);
    return homeDir() + "/" + fallbackBelowHome;
}

} // namespace

std::string userDataHome() {
    return xdgDir("XDG_DATA_HOME", ".local/share");
}

std::string userConfigHome() {
    return xdgDir("XDG_CONFIG_HOME", ".config");
}

namespace {

// A colon-separated XDG list; entries that are not absolute are ignored.
std::vector<std::string> xdgDirList(const char* variable, const char* fallback) {
    std::string list = fallback;
    if (const char* v = std::getenv(variable); v && *v)
        list = v;
    std::vector<std::string> dirs;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t colon = list.find(':', start);
        std::string dir = list.substr(start, colon - start);
        if (!dir.empty() && dir.front() == '/')
            dirs.push_back(withoutTrailingSlash(dir));
        if (colon == std::string::npos)
            break;
        start = colon + 1;
    }
    return dirs;
}

} // namespace

std::vector<std::string> systemDataDirs() {
    return xdgDirList("XDG_DATA_DIRS", "/usr/local/share:/usr/share");
}

std::vector<std::string> systemConfigDirs() {
    return xdgDirList("XDG_CONFIG_DIRS", "/etc/xdg");
}

std::string executablePath() {
    std::error_code ec;
    const auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : p.string();
}

std::string executableDir() {
    const std::string exe = executablePath();
    const std::size_t slash = exe.rfind('/');
    return slash == std::string::npos ? std::string() : exe.substr(0, slash + 1);
}

std::vector<std::string> shippedStoreDirs() {
    std::vector<std::string> dirs;
    const std::string dir = executableDir();
    if (!dir.empty()) {
        dirs.push_back(dir);
        // <prefix>/bin/trov finds <prefix>/share/trov/.
        const std::filesystem::path prefix = std::filesystem::path(dir).parent_path().parent_path();
        dirs.push_back((prefix / "share" / "trov").string() + "/");
    }
    return dirs;
}

} // namespace trov::platform
