// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The browser box of the main window: its sorted entries with the " (Default)" mark, the
// rule that turns an entry into the command that opens an address, and the first-run
// selection.

#include <string>
#include <string_view>
#include <vector>

namespace trov {

namespace platform {
class BrowserRegistry;
}

struct BrowserEntry {
    std::string text;    // as the list shows it, " (Default)" included
    std::string command; // the browser's command line; empty: no usable command
    // The command that opens its private window; empty when it has none.
    std::string privateCommand{};
    bool operator==(const BrowserEntry&) const = default;
};

inline constexpr std::string_view kDefaultMark = " (Default)";

// nalozibrskalnike: the registered browsers, sorted as the list box sorts (ASCII letters
// without case), the default browser's entry marked.
std::vector<BrowserEntry> nalozibrskalnike(const platform::BrowserRegistry& registry);

// defbrwsClick: the lower-cased program name of the default browser ("msedge" reads as
// "edge", "launcher" as "opera"); empty when there is none.
std::string defbrwsClick(const platform::BrowserRegistry& registry);
// The same rule for one command line.
std::string defaultBrowserNameOf(std::string_view command);

// The command a Go opens the entry with; empty means the system's default handler. An
// entry whose text holds "DEFAULT" (any case) always opens through the default handler.
std::string BrowserExecutable(const BrowserEntry& entry);
std::string BrowserExecutable(const std::vector<BrowserEntry>& list, int index);

// The command a private search opens with: the entry's private window where it would open
// with a command of its own, else the private window of the default browser (the entry
// marked " (Default)"); empty when that browser has no private window.
std::string privateBrowserCommand(const std::vector<BrowserEntry>& list, int index,
                                  bool chosenBrowser);

// The entry a text names, as `trovctl browsers` prints it, " (Default)" and ASCII case
// not counted; -1 when none does.
int browserEntryNamed(const std::vector<BrowserEntry>& list, std::string_view text);

// The entry a first run selects: the last one whose lower-cased text holds the default
// browser's name; else the entry marked " (Default)"; else 0. -1 for an empty list.
int firstRunSelection(const std::vector<BrowserEntry>& list, std::string_view defaultName);

} // namespace trov
