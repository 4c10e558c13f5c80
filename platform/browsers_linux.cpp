// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/atomic_file.h"
#include "common/text.h"
#include "platform/browsers.h"
#include "platform/paths.h"
#include "platform/private_window.h"
#include "settings/ini.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

namespace trov::platform {

namespace {

namespace fs = std::filesystem;

struct DesktopEntry {
    DesktopBrowser browser;
    bool hidden = false;
    bool noDisplay = false;
    bool isBrowser = false;
    bool application = true;
};

// The desktop-entry string escapes: \s, \n, \t, \r and \\.
std::string unescapeValue(std::string_view v) {
    std::string out;
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (v[i] != '\\' || i + 1 >= v.size()) {
            out += v[i];
            continue;
        }
        switch (const char c = v[++i]) {
        case 's':
            out += ' ';
            break;
        case 'n':
            out += '\n';
            break;
        case 't':
            out += '\t';
            break;
        case 'r':
            out += '\r';
            break;
        case '\\':
            out += '\\';
            break;
        default:
            out += '\\';
            out += c;
            break;
        }
    }
    return out;
}

bool listHas(std::string_view list, std::string_view item) {
    for (const std::string& piece : text::split(list, ';'))
        if (piece == item)
            return true;
    return false;
}

bool isTrue(std::string_view v) {
    return text::trim(v) == "true";
}

DesktopEntry readEntry(const std::string& id, const std::string& path) {
    DesktopEntry e;
    e.browser.id = id;
    const std::optional<std::string> read = readWholeFile(path);
    if (!read) {
        e.hidden = true; // an unreadable entry is no entry
        return e;
    }
    const std::string bytes = text::decodeStoredText(*read);
    bool inMain = false;
    std::vector<std::string> listedActions;
    std::vector<DesktopAction> actions;
    DesktopAction* action = nullptr; // the [Desktop Action ID] group being read
    for (std::string_view line : text::split(bytes, '\n')) {
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        if (line.front() == '[') {
            inMain = line == "[Desktop Entry]";
            constexpr std::string_view kAction = "[Desktop Action ";
            action = nullptr;
            if (line.starts_with(kAction) && line.back() == ']')
                action = &actions.emplace_back(DesktopAction{
                    std::string(line.substr(kAction.size(), line.size() - kAction.size() - 1)),
                    {},
                    {}});
            continue;
        }
        if (!inMain && !action)
            continue;
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            continue;
        const std::string_view key = text::trim(line.substr(0, eq));
        const std::string_view value = text::trimLeft(line.substr(eq + 1));
        if (action) {
            if (key == "Name")
                action->name = unescapeValue(value);
            else if (key == "Exec")
                action->exec = unescapeValue(value);
        } else if (key == "Actions")
            listedActions = text::split(value, ';');
        else if (key == "Name")
            e.browser.name = unescapeValue(value);
        else if (key == "Exec")
            e.browser.exec = unescapeValue(value);
        else if (key == "Type")
            e.application = value == "Application";
        else if (key == "Hidden")
            e.hidden = isTrue(value);
        else if (key == "NoDisplay")
            e.noDisplay = isTrue(value);
        else if (key == "MimeType" && listHas(value, "x-scheme-handler/http"))
            e.isBrowser = true;
        else if (key == "Categories" && listHas(value, "WebBrowser"))
            e.isBrowser = true;
    }
    e.browser.privateExec = privateActionExec(listedActions, actions);
    return e;
}

// Trov's own entry is never a browser to hand an address to, even where an older or edited
// copy still says it is: the address would only come back to Trov.
constexpr std::string_view kOwnEntry = "trov.desktop";

std::vector<std::string> applicationDirs() {
    std::vector<std::string> dirs{userDataHome() + "/applications"};
    for (const std::string& d : systemDataDirs())
        dirs.push_back(d + "/applications");
    return dirs;
}

// Every desktop entry by id, the earlier folder winning, each folder in id order.
std::vector<DesktopEntry> allEntries() {
    std::vector<DesktopEntry> entries;
    std::set<std::string> seen;
    for (const std::string& dir : applicationDirs()) {
        std::map<std::string, std::string> found; // id -> path
        std::error_code ec;
        fs::recursive_directory_iterator it(dir, fs::directory_options::skip_permission_denied, ec);
        for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
            const fs::path& p = it->path();
            if (p.extension() != ".desktop" || !it->is_regular_file(ec))
                continue;
            std::string id = fs::relative(p, dir, ec).string();
            std::replace(id.begin(), id.end(), '/', '-');
            found.emplace(id, p.string());
        }
        for (const auto& [id, path] : found)
            if (seen.insert(id).second)
                entries.push_back(readEntry(id, path));
    }
    return entries;
}

std::vector<std::string> mimeappsFiles() {
    std::vector<std::string> files{userConfigHome() + "/mimeapps.list"};
    for (const std::string& d : systemConfigDirs())
        files.push_back(d + "/mimeapps.list");
    files.push_back(userDataHome() + "/applications/mimeapps.list");
    for (const std::string& d : systemDataDirs())
        files.push_back(d + "/applications/mimeapps.list");
    return files;
}

} // namespace

std::vector<DesktopBrowser> XdgBrowserRegistry::browsers() const {
    std::vector<DesktopBrowser> list;
    for (const DesktopEntry& e : allEntries())
        if (e.isBrowser && e.application && !e.hidden && !e.noDisplay && e.browser.id != kOwnEntry)
            list.push_back(e.browser);
    return list;
}

std::optional<DesktopBrowser> XdgBrowserRegistry::defaultBrowser() const {
    const std::vector<DesktopEntry> entries = allEntries();
    auto installed = [&](std::string_view id) -> const DesktopEntry* {
        for (const DesktopEntry& e : entries)
            if (e.browser.id == id)
                return e.hidden || !e.application || id == kOwnEntry ? nullptr : &e;
        return nullptr;
    };
    std::vector<IniDocument> lists;
    for (const std::string& file : mimeappsFiles()) {
        // A missing or unreadable list names nothing.
        if (const std::optional<std::string> bytes = readWholeFile(file))
            lists.push_back(IniDocument::parse(text::decodeStoredText(*bytes)));
    }
    for (std::string_view type : {"x-scheme-handler/http", "text/html"})
        for (const IniDocument& doc : lists)
            if (const auto value = doc.value("Default Applications", type))
                for (const std::string& id : text::split(*value, ';'))
                    if (const DesktopEntry* e = installed(text::trim(id)))
                        return e->browser;
    return std::nullopt;
}

} // namespace trov::platform
