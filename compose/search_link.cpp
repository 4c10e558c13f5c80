// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/search_link.h"

#include "common/text.h"

#include <array>
#include <curl/curl.h>
#include <memory>
#include <utility>

namespace trov {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// The few character references an address in an attribute carries.
std::string decodeReferences(std::string_view v) {
    static constexpr std::array<std::pair<std::string_view, char>, 6> kReferences = {{
        {"&amp;", '&'},
        {"&quot;", '"'},
        {"&apos;", '\''},
        {"&#39;", '\''},
        {"&lt;", '<'},
        {"&gt;", '>'},
    }};
    std::string out;
    for (std::size_t i = 0; i < v.size(); ++i) {
        bool replaced = false;
        if (v[i] == '&')
            for (const auto& [reference, c] : kReferences)
                if (text::startsWithIgnoreCase(v.substr(i), reference)) {
                    out += c;
                    i += reference.size() - 1;
                    replaced = true;
                    break;
                }
        if (!replaced)
            out += v[i];
    }
    return out;
}

struct Tag {
    std::string rel, type, href;
    std::size_t end = std::string_view::npos; // one past '>'; npos: the tag never ends
};

// The attributes of the tag whose name ends at `at`; reads up to its '>' and no further.
Tag readAttributes(std::string_view page, std::size_t at) {
    Tag tag;
    std::size_t i = at;
    while (i < page.size()) {
        while (i < page.size() && (isSpace(page[i]) || page[i] == '/'))
            ++i;
        if (i >= page.size())
            break;
        if (page[i] == '>') {
            tag.end = i + 1;
            return tag;
        }
        const std::size_t nameStart = i;
        while (i < page.size() && !isSpace(page[i]) && page[i] != '=' && page[i] != '>' &&
               page[i] != '/')
            ++i;
        const std::string name = text::toLower(page.substr(nameStart, i - nameStart));
        while (i < page.size() && isSpace(page[i]))
            ++i;
        std::string_view value;
        if (i < page.size() && page[i] == '=') {
            ++i;
            while (i < page.size() && isSpace(page[i]))
                ++i;
            if (i < page.size() && (page[i] == '"' || page[i] == '\'')) {
                const std::size_t close = page.find(page[i], i + 1);
                if (close == std::string_view::npos)
                    break; // an unclosed value runs to the end: the tag never ends
                value = page.substr(i + 1, close - i - 1);
                i = close + 1;
            } else {
                const std::size_t start = i;
                while (i < page.size() && !isSpace(page[i]) && page[i] != '>')
                    ++i;
                value = page.substr(start, i - start);
            }
        }
        if (name == "rel")
            tag.rel = text::toLower(value);
        else if (name == "type")
            tag.type = text::toLower(text::trim(value));
        else if (name == "href")
            tag.href = decodeReferences(text::trim(value));
    }
    return tag;
}

bool relHasSearch(const std::string& rel) {
    for (const std::string& token : text::split(rel, ' '))
        if (token == "search")
            return true;
    return false;
}

struct UrlDeleter {
    void operator()(CURLU* u) const { curl_url_cleanup(u); }
};

} // namespace

std::optional<std::string> findSearchLink(std::string_view page) {
    std::size_t at = 0;
    while ((at = page.find('<', at)) != std::string_view::npos) {
        if (page.substr(at, 4) == "<!--") {
            const std::size_t close = page.find("-->", at + 4);
            if (close == std::string_view::npos)
                return std::nullopt;
            at = close + 3;
            continue;
        }
        const std::size_t nameEnd = at + 5;
        if (!text::startsWithIgnoreCase(page.substr(at + 1), "link") || nameEnd >= page.size() ||
            !(isSpace(page[nameEnd]) || page[nameEnd] == '/' || page[nameEnd] == '>')) {
            ++at;
            continue;
        }
        const Tag tag = readAttributes(page, nameEnd);
        if (relHasSearch(tag.rel) && tag.type == "application/opensearchdescription+xml" &&
            !tag.href.empty())
            return tag.href;
        if (tag.end == std::string_view::npos)
            return std::nullopt; // the rest of the page is inside this tag
        at = tag.end;
    }
    return std::nullopt;
}

std::optional<std::string> resolveAddress(const std::string& base, const std::string& reference) {
    const std::unique_ptr<CURLU, UrlDeleter> url(curl_url());
    if (!url || curl_url_set(url.get(), CURLUPART_URL, base.c_str(), 0) != CURLUE_OK ||
        curl_url_set(url.get(), CURLUPART_URL, reference.c_str(), 0) != CURLUE_OK)
        return std::nullopt;
    char* out = nullptr;
    if (curl_url_get(url.get(), CURLUPART_URL, &out, 0) != CURLUE_OK)
        return std::nullopt;
    std::string resolved(out);
    curl_free(out);
    return resolved;
}

} // namespace trov
