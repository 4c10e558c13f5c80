// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/opensearch_engine.h"

#include "common/text.h"

#include <algorithm>
#include <optional>

namespace trov {

namespace {

constexpr std::string_view kHtmlType = "text/html";
constexpr std::string_view kSuggestionsType = "application/x-suggestions+json";
constexpr std::size_t kMaxNameBytes = 100;

std::string_view mediaType(std::string_view type) {
    return text::trim(type.substr(0, type.find(';')));
}

bool isGet(const OpenSearchUrl& url) {
    return url.method.empty() || text::equalsIgnoreCase(url.method, "get");
}

// An offset attribute that is a number, else the first page's.
std::string offsetOr1(const std::string& offset) {
    return !offset.empty() && offset.size() < 10 &&
                   std::all_of(offset.begin(), offset.end(),
                               [](char c) { return c >= '0' && c <= '9'; })
               ? offset
               : "1";
}

// The value of a required parameter Trov can fill; nullopt for the others.
std::optional<std::string> fill(std::string_view name, const OpenSearchUrl& url) {
    if (name == "searchTerms")
        return "{query}";
    if (name == "inputEncoding" || name == "outputEncoding")
        return "UTF-8"; // Trov encodes the words as UTF-8
    if (name == "startIndex")
        return offsetOr1(url.indexOffset);
    if (name == "startPage")
        return offsetOr1(url.pageOffset);
    if (name == "language")
        return "*"; // any language
    return std::nullopt;
}

// Whether a pair's value is one optional parameter and nothing else.
bool onlyOptional(std::string_view pair) {
    const std::size_t eq = pair.find('=');
    const std::string_view value = eq == std::string_view::npos ? pair : pair.substr(eq + 1);
    return value.size() > 3 && value.front() == '{' && value.ends_with("?}") &&
           value.find_first_of("{}", 1) == value.size() - 1;
}

// Replaces the parameters of one part of a template, appending it to out; false, with the
// reason in problem, for one Trov cannot fill.
bool expandParameters(std::string_view part, const OpenSearchUrl& url, std::string_view what,
                      std::string& out, std::string& problem) {
    for (std::size_t i = 0; i < part.size();) {
        if (part[i] != '{') {
            out += part[i++];
            continue;
        }
        const std::size_t close = part.find('}', i);
        if (close == std::string_view::npos) {
            problem = "its " + std::string(what) + " address has a \"{\" without \"}\"";
            return false;
        }
        const std::string_view parameter = part.substr(i + 1, close - i - 1);
        i = close + 1;
        if (parameter.ends_with('?'))
            continue; // optional: left out
        const std::optional<std::string> value = fill(parameter, url);
        if (!value) {
            problem = "its " + std::string(what) + " address needs {" + std::string(parameter) +
                      "}, which Trov cannot fill";
            return false;
        }
        out += *value;
    }
    return true;
}

} // namespace

std::string sectionNameOf(std::string_view given) {
    std::string name;
    for (const char c : given)
        name += static_cast<unsigned char>(c) < 32 ? ' ' : c == '[' ? '(' : c == ']' ? ')' : c;
    return std::string(text::cutUtf8(text::trim(name), kMaxNameBytes));
}

std::optional<std::string> trovTemplate(const OpenSearchUrl& url, std::string_view what,
                                        std::string& problem) {
    std::string full = std::string(text::trim(url.addressPattern));
    for (const auto& [name, value] : url.params)
        full += (full.find('?') == std::string::npos ? "?" : "&") + name + "=" + value;
    const std::string head = "its " + std::string(what) + " address ";
    if (std::any_of(full.begin(), full.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 32; })) {
        problem = head + "holds control characters";
        return std::nullopt;
    }

    const std::string_view whole = full;
    // The query starts at the first "?" outside a parameter ("{startPage?}" holds one).
    std::size_t query = 0;
    for (bool inParameter = false; query < whole.size(); ++query) {
        if (whole[query] == '?' && !inParameter)
            break;
        inParameter = whole[query] == '{' || (inParameter && whole[query] != '}');
    }
    const std::size_t fragment = std::min(whole.find('#', query), whole.size());
    std::string out, pairs;
    if (!expandParameters(whole.substr(0, query), url, what, out, problem))
        return std::nullopt;
    if (query < fragment)
        for (const std::string& pair :
             text::split(whole.substr(query + 1, fragment - query - 1), '&')) {
            if (pair.empty() || onlyOptional(pair))
                continue;
            if (!pairs.empty())
                pairs += '&';
            if (!expandParameters(pair, url, what, pairs, problem))
                return std::nullopt;
        }
    if (!pairs.empty())
        out += "?" + pairs;
    if (!expandParameters(whole.substr(fragment), url, what, out, problem))
        return std::nullopt;

    // A blank has no place in an address, and an INI value loses those at its ends.
    text::replaceAll(out, " ", "%20");
    if (out.find("{query}") == std::string::npos)
        problem = head + "has no {searchTerms}";
    else if (!text::startsWithIgnoreCase(out, "http://") &&
             !text::startsWithIgnoreCase(out, "https://"))
        problem = head + "is not an http or https address";
    else
        return out;
    return std::nullopt;
}

std::variant<DescribedEngine, std::string> describedEngine(const OpenSearchDescription& d) {
    DescribedEngine engine;
    engine.name = sectionNameOf(d.shortName);
    if (engine.name.empty())
        return std::string("it has no ShortName");

    const OpenSearchUrl* html = nullptr;
    const OpenSearchUrl* suggest = nullptr;
    bool htmlByPost = false;
    for (const OpenSearchUrl& url : d.urls) {
        const std::string_view type = mediaType(url.type);
        if (text::equalsIgnoreCase(type, kHtmlType) &&
            (url.rel.empty() || text::containsIgnoreCase(url.rel, "results"))) {
            htmlByPost = htmlByPost || !isGet(url);
            if (!html && isGet(url))
                html = &url;
        } else if (text::equalsIgnoreCase(type, kSuggestionsType) && !suggest && isGet(url)) {
            suggest = &url;
        }
    }
    if (!html)
        return std::string(htmlByPost ? "its text/html address is sent by POST, which a browser "
                                        "cannot be handed"
                                      : "it has no text/html Url");
    std::string problem;
    const std::optional<std::string> address = trovTemplate(*html, "text/html", problem);
    if (!address)
        return problem;
    engine.address = *address;
    if (suggest) {
        const std::optional<std::string> suggestAddress =
            trovTemplate(*suggest, "suggestions", problem);
        if (!suggestAddress)
            return problem;
        engine.suggest = *suggestAddress;
    }
    return engine;
}

} // namespace trov
