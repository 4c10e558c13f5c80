// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/private_window.h"

#include "common/text.h"

#include <array>
#include <unordered_map>

namespace trov::platform {

namespace {

constexpr std::array<std::string_view, 3> kPrivateFlags = {"--private-window", "--incognito",
                                                           "--private"};

bool carriesPrivateFlag(std::string_view exec) {
    for (const std::string& arg : splitExec(exec))
        for (std::string_view flag : kPrivateFlags)
            if (arg == flag || (arg.starts_with(flag) && arg[flag.size()] == '='))
                return true;
    return false;
}

bool namesPrivate(std::string_view name) {
    return text::containsIgnoreCase(name, "private") || text::containsIgnoreCase(name, "incognito");
}

struct FamilyProgram {
    std::string_view program;
    BrowserFamily family;
};

// The programs whose private-window flag Trov knows, by their file name. Browsers of other
// families (Opera, Edge, Epiphany...) declare a private-window action in their entries.
constexpr std::array<FamilyProgram, 27> kFamilyPrograms = {{
    {"chromium", BrowserFamily::Chromium},
    {"chromium-browser", BrowserFamily::Chromium},
    {"chrome", BrowserFamily::Chromium},
    {"google-chrome", BrowserFamily::Chromium},
    {"google-chrome-stable", BrowserFamily::Chromium},
    {"google-chrome-beta", BrowserFamily::Chromium},
    {"google-chrome-unstable", BrowserFamily::Chromium},
    {"brave", BrowserFamily::Chromium},
    {"brave-browser", BrowserFamily::Chromium},
    {"brave-browser-stable", BrowserFamily::Chromium},
    {"brave-browser-beta", BrowserFamily::Chromium},
    {"brave-browser-nightly", BrowserFamily::Chromium},
    {"vivaldi", BrowserFamily::Chromium},
    {"vivaldi-stable", BrowserFamily::Chromium},
    {"vivaldi-snapshot", BrowserFamily::Chromium},
    {"firefox", BrowserFamily::Firefox},
    {"firefox-esr", BrowserFamily::Firefox},
    {"firefox-bin", BrowserFamily::Firefox},
    {"firefox-beta", BrowserFamily::Firefox},
    {"firefox-devedition", BrowserFamily::Firefox},
    {"firefox-developer-edition", BrowserFamily::Firefox},
    {"firefox-nightly", BrowserFamily::Firefox},
    {"firefox-trunk", BrowserFamily::Firefox},
    {"librewolf", BrowserFamily::Firefox},
    {"waterfox", BrowserFamily::Firefox},
    {"iceweasel", BrowserFamily::Firefox},
    {"icecat", BrowserFamily::Firefox},
}};

std::string_view familyFlag(BrowserFamily family) {
    switch (family) {
    case BrowserFamily::Chromium:
        return "--incognito";
    case BrowserFamily::Firefox:
        return "--private-window";
    case BrowserFamily::Other:
        break;
    }
    return {};
}

} // namespace

std::string privateActionExec(const std::vector<std::string>& listed,
                              const std::vector<DesktopAction>& actions) {
    // Each group is judged once and looked up by id, so a hostile entry listing one action
    // thousands of times costs no more than reading it.
    struct Judged {
        const DesktopAction* action;
        bool flag, name;
    };
    std::unordered_map<std::string_view, Judged> byId; // the first group of an id counts
    for (const DesktopAction& a : actions)
        if (!a.exec.empty() && !byId.contains(a.id))
            byId.emplace(a.id, Judged{&a, carriesPrivateFlag(a.exec), namesPrivate(a.name)});
    const DesktopAction* byName = nullptr;
    for (const std::string& id : listed) {
        const auto it = byId.find(id);
        if (it == byId.end())
            continue;
        if (it->second.flag)
            return it->second.action->exec;
        if (it->second.name && !byName)
            byName = it->second.action;
    }
    return byName ? byName->exec : std::string();
}

BrowserFamily browserFamily(std::string_view exec) {
    const std::vector<std::string> args = splitExec(exec);
    const std::size_t at = programIndex(args);
    if (at >= args.size())
        return BrowserFamily::Other;
    std::string_view program = args[at];
    if (const std::size_t slash = program.rfind('/'); slash != std::string_view::npos)
        program.remove_prefix(slash + 1);
    for (const FamilyProgram& p : kFamilyPrograms)
        if (p.program == program)
            return p.family;
    return BrowserFamily::Other;
}

std::string privateWindowCommand(const DesktopBrowser& browser) {
    if (!browser.privateExec.empty())
        return browser.privateExec;
    const std::string_view flag = familyFlag(browserFamily(browser.exec));
    if (flag.empty())
        return {};
    std::vector<std::string> args = splitExec(browser.exec);
    args.insert(args.begin() + static_cast<std::ptrdiff_t>(programIndex(args)) + 1,
                std::string(flag));
    return joinExec(args);
}

} // namespace trov::platform
