// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/browser_list.h"

#include "common/text.h"
#include "platform/browsers.h"
#include "platform/private_window.h"

#include <algorithm>

namespace trov {

std::vector<BrowserEntry> nalozibrskalnike(const platform::BrowserRegistry& registry) {
    const std::optional<platform::DesktopBrowser> def = registry.defaultBrowser();
    std::vector<BrowserEntry> list;
    for (const platform::DesktopBrowser& b : registry.browsers()) {
        if (def && text::equalsIgnoreCase(b.name, def->name))
            // A private search by the default handler goes to the default browser's own
            // entry, whichever entry of that name the list holds.
            list.push_back(
                {b.name + std::string(kDefaultMark), b.exec, platform::privateWindowCommand(*def)});
        else if (!b.name.empty())
            list.push_back({b.name, b.exec, platform::privateWindowCommand(b)});
    }
    std::stable_sort(list.begin(), list.end(), [](const BrowserEntry& a, const BrowserEntry& b) {
        return text::compareIgnoreCase(a.text, b.text) < 0;
    });
    return list;
}

std::string defaultBrowserNameOf(std::string_view command) {
    const std::vector<std::string> argv = platform::expandExec(command, "");
    // "env NAME=value program ..." names the program after the assignments.
    const std::size_t i = platform::programIndex(argv);
    if (i >= argv.size())
        return {};
    std::string_view program = argv[i];
    if (const std::size_t slash = program.rfind('/'); slash != std::string_view::npos)
        program.remove_prefix(slash + 1);
    if (const std::size_t dot = program.rfind('.'); dot != std::string_view::npos && dot > 0)
        program = program.substr(0, dot);
    std::string name = text::toLower(program);
    if (name == "msedge")
        return "edge";
    if (name == "launcher")
        return "opera";
    return name;
}

std::string defbrwsClick(const platform::BrowserRegistry& registry) {
    const std::optional<platform::DesktopBrowser> def = registry.defaultBrowser();
    return def ? defaultBrowserNameOf(def->exec) : std::string();
}

std::string BrowserExecutable(const BrowserEntry& entry) {
    if (text::toUpper(entry.text).find("DEFAULT") != std::string::npos)
        return {};
    return entry.command;
}

std::string BrowserExecutable(const std::vector<BrowserEntry>& list, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= list.size())
        return {};
    return BrowserExecutable(list[static_cast<std::size_t>(index)]);
}

std::string privateBrowserCommand(const std::vector<BrowserEntry>& list, int index,
                                  bool chosenBrowser) {
    if (chosenBrowser && !BrowserExecutable(list, index).empty())
        return list[static_cast<std::size_t>(index)].privateCommand;
    for (const BrowserEntry& e : list)
        if (e.text.ends_with(kDefaultMark))
            return e.privateCommand;
    return {};
}

int browserEntryNamed(const std::vector<BrowserEntry>& list, std::string_view name) {
    const auto unmarked = [](std::string_view t) {
        return t.ends_with(kDefaultMark) ? t.substr(0, t.size() - kDefaultMark.size()) : t;
    };
    for (std::size_t i = 0; i < list.size(); ++i)
        if (text::equalsIgnoreCase(unmarked(list[i].text), unmarked(name)))
            return static_cast<int>(i);
    return -1;
}

int firstRunSelection(const std::vector<BrowserEntry>& list, std::string_view defaultName) {
    if (list.empty())
        return -1;
    const std::string name = text::toLower(defaultName);
    int found = -1;
    if (!name.empty())
        for (std::size_t i = 0; i < list.size(); ++i)
            if (text::toLower(list[i].text).find(name) != std::string::npos)
                found = static_cast<int>(i);
    if (found >= 0)
        return found;
    // Desktop program names ("firefox-esr", "google-chrome-stable") often appear in no
    // display name; the marked entry is then the default browser the user has.
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].text.ends_with(kDefaultMark))
            return static_cast<int>(i);
    return 0;
}

} // namespace trov
