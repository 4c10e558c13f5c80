// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/autostart.h"

#include "common/atomic_file.h"
#include "platform/paths.h"

#include <filesystem>

namespace trov::platform {

namespace {

// One Exec argument: quoted when it holds a reserved character, with `"`, `` ` ``, `$`
// and `\` escaped inside the quotes; `%` is doubled as field codes require. Backslashes
// are then escaped once more, as every string value of a desktop entry is.
std::string execArgument(const std::string& arg) {
    bool quote = arg.empty();
    std::string inner;
    for (const char c : arg) {
        switch (c) {
        case '"':
        case '`':
        case '$':
        case '\\':
            inner += '\\';
            inner += c;
            quote = true;
            break;
        case '%':
            inner += "%%";
            break;
        case ' ':
        case '\t':
        case '\'':
        case '>':
        case '<':
        case '~':
        case '|':
        case '&':
        case ';':
        case '*':
        case '?':
        case '#':
        case '(':
        case ')':
            inner += c;
            quote = true;
            break;
        case '\n':
        case '\r':
            break; // a line break would end the value
        default:
            inner += c;
        }
    }
    std::string value = quote ? "\"" + inner + "\"" : inner;
    std::string escaped;
    for (const char c : value) {
        if (c == '\\')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

} // namespace

std::string autostartEntry(const std::string& programPath) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Trov\n"
           "Comment=Advanced web search composer\n"
           "Exec=" +
           execArgument(programPath) +
           "\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

XdgAutostart::XdgAutostart(std::string configHome) {
    if (configHome.empty())
        configHome = userConfigHome();
    while (configHome.size() > 1 && configHome.back() == '/')
        configHome.pop_back();
    dir_ = configHome + "/autostart";
    path_ = dir_ + "/" + kAutostartFileName;
}

bool XdgAutostart::write(const std::string& programPath) {
    std::error_code ec;
    std::filesystem::create_directories(dir_, ec);
    return writeFileAtomically(path_, autostartEntry(programPath));
}

void XdgAutostart::remove() {
    std::error_code ec;
    std::filesystem::remove(path_, ec);
}

bool XdgAutostart::exists() const {
    return fileExists(path_);
}

} // namespace trov::platform
