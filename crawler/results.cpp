// SPDX-License-Identifier: GPL-3.0-or-later
#include "crawler/results.h"

#include "common/text.h"
#include "common/translatable.h"
#include "crawler/link_list.h"
#include "crawler/link_rules.h"

#include <algorithm>

namespace trov {

namespace {

constexpr std::string_view kEol = "\r\n";
const std::string kRule(48, '_');

void line(std::string& out, std::string_view s) {
    out += s;
    out += kEol;
}

// Typed text (the search words, the site) becomes literal HTML text.
std::string escapeTyped(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// Titles and addresses are HTML source already; their entities stay, only what could
// open markup is neutralised.
std::string escapeSourceText(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
    return out;
}

std::string escapeSourceAttribute(std::string_view s) {
    return text::replaced(s, "\"", "&quot;");
}

bool readable(const std::string& s) {
    return !s.empty() && s != kNil;
}

} // namespace

std::string WriteHTML(LinkList& list, const SearchInputs& search, std::string_view site) {
    std::size_t matches = 0;
    const std::size_t range = std::min(list.searchRange, list.size());
    for (std::size_t i = 0; i < range; ++i) {
        list.setMatch(i, {});
        // An unused or removed entry is no page and cannot be a result.
        if (!readable(list[i].address))
            continue;
        std::string lower = list.text(i);
        for (char& c : lower)
            c = text::asciiLower(c);
        if (IsciGo(lower, search)) {
            list.setMatch(i, list[i].address);
            ++matches;
        }
    }
    const std::string searchText = escapeTyped(search.searchText);
    std::string out;
    line(out, "<!DOCTYPE html>");
    line(out, "<html lang=\"en\">");
    line(out, "<head>");
    line(out, "<title>Trov - Crawler</title>");
    line(out, "</head><body>");
    line(out, " ");
    line(out, "<font color=\"#004B97\" size=\"6\">");
    line(out, "Trov Crawler<br>");
    line(out, "<font color=\"#363636\" size=\"3\">");
    line(out, "<hr size=\"1\" noshade>");
    line(out, "Search: " + searchText + "<br>");
    line(out, "Site: " + escapeTyped(site) + "<br>");
    line(out, "<hr size=\"1\" noshade>");
    if (matches >= 1)
        line(out,
             "About " + std::to_string(matches) + " result" + (matches >= 2 ? "s" : "") + "<br>");
    else
        line(out, "Your search - " + searchText + " - did not match any documents <br>");
    line(out, "<br>");
    for (std::size_t i = 0; i < range; ++i) {
        const PageRecord& r = list[i];
        if (r.match.empty())
            continue;
        const std::string title = list.title(i);
        line(out, "<font color=\"#004B97\" size=\"4\">");
        line(out, "<a style=\"color:#004b97; text-decoration:none\"  href=\"" +
                      escapeSourceAttribute(r.address) + "\">" + "<strong>" +
                      escapeSourceText(title) + "</strong></a><br>");
        line(out, "<font color=\"#363636\" size=\"3\">");
        line(out, escapeSourceText(r.address) + "<br>");
        line(out, "</font></p>");
    }
    line(out, "</body>");
    line(out, "</html>");
    return out;
}

std::vector<std::string> sortedLinks(const LinkList& list) {
    std::vector<std::string> links;
    const long last = std::min<long>(list.lastIndex, static_cast<long>(list.size()) - 1);
    for (long i = 0; i <= last; ++i)
        if (readable(list[static_cast<std::size_t>(i)].address))
            links.push_back(list[static_cast<std::size_t>(i)].address);
    std::stable_sort(links.begin(), links.end(), [](const std::string& a, const std::string& b) {
        return text::compareIgnoreCase(a, b) < 0;
    });
    return links;
}

std::string linksCaption(bool allLinks, std::string_view site) {
    return formatText(allLinks ? kAllLinksCaption : kInternalLinksCaption, {site});
}

std::string linkExport(const LinkList& list, std::string_view site) {
    std::string out;
    line(out, site);
    for (const std::string& a : sortedLinks(list))
        line(out, a);
    return out;
}

std::string dataExport(const LinkList& list, std::string_view site) {
    std::string out;
    line(out, "Website or domain: " + std::string(site));
    line(out, kRule);
    const long last = std::min<long>(list.lastIndex, static_cast<long>(list.size()) - 1);
    for (long i = 0; i <= last; ++i) {
        const std::string text = list.text(static_cast<std::size_t>(i));
        if (!readable(text))
            continue;
        line(out, "  ");
        line(out, kRule);
        line(out, list[static_cast<std::size_t>(i)].address);
        line(out, kRule);
        line(out, "  ");
        line(out, text);
    }
    return out;
}

std::string linkExportName(std::string_view site) {
    return "Links (" + HostOf(site) + " )";
}

std::string dataExportName(std::string_view site) {
    return "Data (" + HostOf(site) + " )";
}

std::string readLinkListText(std::string_view fileBytes) {
    return text::replaced(text::decodeStoredText(fileBytes), ";", "");
}

std::vector<std::string> textLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find('\n', from);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view l = text.substr(from, end - from);
        if (!l.empty() && l.back() == '\r')
            l.remove_suffix(1);
        lines.emplace_back(l);
        from = end + 1;
    }
    return lines;
}

LoadedList readLoadedList(std::string_view fileBytes) {
    LoadedList loaded;
    loaded.viewerText = readLinkListText(fileBytes);
    const std::string_view text = loaded.viewerText;
    const std::string_view first = text.substr(0, text.find('\n'));
    loaded.site = first.ends_with('\r') ? first.substr(0, first.size() - 1) : first;
    return loaded;
}

LoadedList loadLinkList(LinkList& list, std::string_view fileBytes) {
    list.count = 0;
    list.clear();
    const LoadedList loaded = readLoadedList(fileBytes);
    const std::vector<std::string> lines = textLines(loaded.viewerText);
    std::size_t n = 0;
    for (std::size_t i = 1; i < lines.size() && i < list.size(); ++i) {
        list.setAddress(i, lines[i]);
        list.setVisited(i, true);
        n = i;
    }
    list.count = n;
    // The loaded addresses sit at entries 1 to count, so the exports read up to count.
    list.lastIndex = static_cast<long>(n);
    list.searchRange = n + 1;
    return loaded;
}

std::string missingListMessage(std::string_view path) {
    // A list named by a history made on Windows has its folders behind backslashes.
    const std::size_t slash = path.find_last_of("/\\");
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    return formatText(kMissingListFile, {name});
}

} // namespace trov
