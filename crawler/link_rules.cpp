// SPDX-License-Identifier: GPL-3.0-or-later
#include "crawler/link_rules.h"

#include "common/text.h"
#include "crawler/link_list.h"

#include <array>

namespace trov {

using text::containsIgnoreCase;
using text::equalsIgnoreCase;

int ExtractLinks(std::string_view source, std::string_view tag, std::string_view attribute,
                 std::vector<std::string>& links) {
    int count = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t lt = source.find('<', start);
        if (lt == std::string_view::npos)
            return count;
        const std::size_t gt = source.find('>', lt + 1);
        std::string_view tagText;
        if (gt == std::string_view::npos) {
            start = lt + 1;
        } else {
            start = gt + 1;
            tagText = text::trim(source.substr(lt + 1, gt - lt - 1));
        }
        if (tagText.size() < tag.size() || !equalsIgnoreCase(tagText.substr(0, tag.size()), tag))
            continue;
        std::size_t q = tag.size();
        while (q < tagText.size()) {
            const std::size_t eq = tagText.find('=', q);
            if (eq == std::string_view::npos)
                break;
            // The name runs from the nearest space before the "=", so "href =" has none.
            const std::size_t space = tagText.rfind(' ', eq);
            const std::size_t nameFrom = space == std::string_view::npos ? 0 : space + 1;
            const std::string_view name = text::trim(tagText.substr(nameFrom, eq - nameFrom));
            std::size_t v = eq + 1;
            while (v < tagText.size() && tagText[v] == ' ')
                ++v;
            if (v >= tagText.size()) {
                q = eq + 1;
                continue;
            }
            std::string_view value;
            const char first = tagText[v];
            if (first == '"' || first == '\'') {
                const std::size_t close = tagText.find(first, v + 1);
                if (close != std::string_view::npos) {
                    value = tagText.substr(v + 1, close - v - 1);
                    q = close + 1;
                } else {
                    // An unclosed quote ends one character before the end of the tag text.
                    const std::size_t end = tagText.size() - 1;
                    value = end > v + 1 ? tagText.substr(v + 1, end - v - 1) : std::string_view{};
                    q = tagText.size();
                }
            } else {
                const std::size_t space2 = tagText.find(' ', v);
                if (space2 != std::string_view::npos) {
                    value = tagText.substr(v, space2 - v);
                    q = space2 + 1;
                } else {
                    value = tagText.substr(v);
                    q = tagText.size();
                }
            }
            if (!value.empty() && equalsIgnoreCase(name, attribute)) {
                links.emplace_back(value);
                ++count;
            }
        }
    }
}

std::string HostOf(std::string_view a) {
    const std::size_t scheme = a.find("://");
    std::string_view rest = scheme == std::string_view::npos ? a : a.substr(scheme + 3);
    return std::string(rest.substr(0, rest.find('/')));
}

std::string BaseFolderOf(std::string_view a) {
    // 1-based positions p from length - 1 down to 9; a final slash is passed over.
    for (std::size_t p = a.size() > 0 ? a.size() - 1 : 0; p >= 9; --p)
        if (a[p - 1] == '/')
            return std::string(a.substr(0, p));
    return std::string(a);
}

std::string DropTrailingSlash(std::string_view a) {
    if (!a.empty() && a.back() == '/')
        a.remove_suffix(1);
    return std::string(a);
}

std::string CollapseDoubleSlashes(std::string_view a) {
    std::string s(a);
    if (s.size() < 10)
        return s;
    // Positions 10 to the starting length, 1-based; the text shrinks as slashes go.
    const std::size_t startLength = s.size();
    for (std::size_t p = 10; p <= startLength; ++p)
        if (p < s.size() && s[p - 1] == '/' && s[p] == '/')
            s.erase(p - 1, 1);
    return s;
}

bool IsCrawlable(std::string_view a) {
    const std::string lower = text::toLower(a);
    const std::string host = HostOf(lower);
    return lower.find("///") == std::string::npos && host.size() >= 3 &&
           host.find('.') != std::string::npos;
}

std::string TrimTrailingSpaces(std::string_view a) {
    return std::string(text::rightTrimSpaces(a));
}

std::string RemoveSpaces(std::string_view a) {
    std::string out;
    out.reserve(a.size());
    for (char c : a)
        if (c != ' ')
            out += c;
    return out;
}

std::string ResolveLink(std::string_view link, std::string_view start) {
    const std::string_view separator = !link.empty() && link[0] == '/' ? "" : "/";
    if (!equalsIgnoreCase(link.substr(0, 4), start.substr(0, 4)))
        return std::string(start) + std::string(separator) + std::string(link);
    return std::string(link);
}

std::string StartAddressOf(std::string_view site) {
    std::string s(text::trim(site));
    if (s.find("://") == std::string::npos)
        s = "https://" + HostOf(s);
    return DropTrailingSlash(s);
}

std::string SiteBaseOf(std::string_view start) {
    return std::string(text::trim(RemoveSpaces(text::toLower(BaseFolderOf(start)))));
}

namespace {

constexpr std::array<std::string_view, 10> kSubpageRejects = {
    "java", "gsm", "void", "mail", "script", "#", "cookie", "tel", "@", "%"};
constexpr std::array<std::string_view, 18> kSiteRejects = {
    "?q=",  ".php", ".jpg",   ".png", ".zip",   ".pdf", ".xml", "java", "gsm",
    "void", "mail", "script", "#",    "cookie", "tel",  "@",    "%",    "///"};

template <std::size_t N>
bool containsAny(std::string_view s, const std::array<std::string_view, N>& words) {
    const std::string lower = text::toLower(s);
    for (std::string_view w : words)
        if (lower.find(w) != std::string::npos)
            return true;
    return false;
}

// Hosts compare without a leading "www." (the first four characters of a host holding
// "www").
std::string comparableHost(std::string_view host) {
    std::string h = text::toLower(host);
    if (h.find("www") != std::string::npos)
        h.erase(0, std::min<std::size_t>(4, h.size()));
    return h;
}

} // namespace

std::optional<std::string> AcceptSubpageLink(std::string_view link, std::string_view start,
                                             std::string_view base, const LinkList& list) {
    std::string resolved = ResolveLink(link, start);
    if (!resolved.empty() && resolved.back() == '#')
        resolved.pop_back();
    if (list.holds(resolved) || !containsIgnoreCase(resolved, base) ||
        containsAny(resolved, kSubpageRejects))
        return std::nullopt;
    return CollapseDoubleSlashes(DropTrailingSlash(resolved));
}

std::optional<std::string> AcceptSiteLink(std::string_view link, std::string_view start,
                                          CrawlMode mode, const LinkList& list) {
    const std::string resolved = ResolveLink(link, start);
    const std::string host = HostOf(resolved);
    // The table holds collapsed addresses, so the duplicate test compares the collapsed
    // form; otherwise a link with "//" in its path is taken again on every page.
    const std::string collapsed = CollapseDoubleSlashes(resolved);
    if (list.holds(collapsed))
        return std::nullopt;
    if (mode != CrawlMode::AllLinks && (!containsIgnoreCase(resolved, start) ||
                                        comparableHost(host) != comparableHost(HostOf(start))))
        return std::nullopt;
    if (host.size() < 3 || containsAny(resolved, kSiteRejects))
        return std::nullopt;
    if (HostOf(collapsed).find('.') == std::string::npos)
        return std::string(kNil);
    return collapsed;
}

} // namespace trov
