// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The web browsers the desktop knows, from its XDG desktop entries and mimeapps.list files.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trov::platform {

struct DesktopBrowser {
    std::string id;   // desktop-file id, e.g. "firefox.desktop"
    std::string name; // Name
    std::string exec; // Exec, with the desktop-entry escapes resolved
    // The Exec of its private-window action (private_window.h); empty when it has none.
    std::string privateExec{};
    bool operator==(const DesktopBrowser&) const = default;
};

class BrowserRegistry {
public:
    virtual ~BrowserRegistry() = default;
    // The installed browsers in the order they were found.
    virtual std::vector<DesktopBrowser> browsers() const = 0;
    // The browser the desktop opens web addresses with, if one is set and installed.
    virtual std::optional<DesktopBrowser> defaultBrowser() const = 0;
};

// Reads $XDG_DATA_HOME and $XDG_DATA_DIRS applications/ and the mimeapps.list files of
// $XDG_CONFIG_HOME, $XDG_CONFIG_DIRS, $XDG_DATA_HOME/applications and
// $XDG_DATA_DIRS/applications, at each call.
class XdgBrowserRegistry : public BrowserRegistry {
public:
    std::vector<DesktopBrowser> browsers() const override;
    std::optional<DesktopBrowser> defaultBrowser() const override;
};

class FakeBrowserRegistry : public BrowserRegistry {
public:
    std::vector<DesktopBrowser> list;
    std::optional<DesktopBrowser> defaultEntry;
    std::vector<DesktopBrowser> browsers() const override { return list; }
    std::optional<DesktopBrowser> defaultBrowser() const override { return defaultEntry; }
};

// An Exec value split into its arguments by the desktop-entry quoting rules, with %u and
// %U (and %f, %F) replaced by the address as one argument, "%%" as "%" and every other
// field code dropped. A command without an address field code gets the address appended.
std::vector<std::string> expandExec(std::string_view exec, const std::string& address);

// An Exec value split into its arguments by the quoting rules, field codes kept, and the
// way back: arguments quoted so that splitExec gives them again.
std::vector<std::string> splitExec(std::string_view exec);
std::string joinExec(const std::vector<std::string>& args);

// Where the program of split Exec arguments stands: after "env" and its NAME=value
// assignments; args.size() when there is none.
std::size_t programIndex(const std::vector<std::string>& args);

} // namespace trov::platform
