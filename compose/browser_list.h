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

// The entry a first run selects: the last one whose lower-cased text holds the default
// browser's name; else the entry marked " (Default)"; else 0. -1 for an empty list.
int firstRunSelection(const std::vector<BrowserEntry>& list, std::string_view defaultName);

} // namespace trov
