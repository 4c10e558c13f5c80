// SPDX-License-Identifier: GPL-3.0-or-later
#include "crawler/robots_rules.h"

#include "common/text.h"
#include "crawler/robots_pattern.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <unordered_set>

namespace trov {

namespace {

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// What the parser reads: the limit's worth of whole lines, without a byte-order mark.
std::string_view readablePart(std::string_view file) {
    if (file.size() > kRobotsParseLimit) {
        const bool cutAtLineEnd = isLineEnd(file[kRobotsParseLimit]);
        file = file.substr(0, kRobotsParseLimit);
        if (!cutAtLineEnd) {
            const std::size_t lastEnd = file.find_last_of("\r\n");
            file = file.substr(0, lastEnd == std::string_view::npos ? 0 : lastEnd + 1);
        }
    }
    if (file.starts_with("\xEF\xBB\xBF"))
        file.remove_prefix(3);
    return file;
}

// The product token a user-agent value names: its leading letters, "_" and "-"
// ("Trov/1.0" names "Trov").
std::string_view namedToken(std::string_view value) {
    std::size_t n = 0;
    while (n < value.size() && (std::isalpha(static_cast<unsigned char>(value[n])) ||
                                value[n] == '_' || value[n] == '-'))
        ++n;
    return value.substr(0, n);
}

// Seconds, fractions allowed; nothing for anything else.
std::chrono::milliseconds crawlDelayOf(std::string_view value) {
    double seconds = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), seconds);
    if (error != std::errc() || end != value.data() + value.size() || !std::isfinite(seconds) ||
        seconds <= 0)
        return std::chrono::milliseconds(0);
    if (seconds >= kMaxCrawlDelay.count() / 1000.0)
        return kMaxCrawlDelay;
    return std::chrono::milliseconds(std::llround(seconds * 1000));
}

// The rules and delay of one set of groups: those naming the token, or the "*" ones. A
// rule written twice in them counts once, at its first line.
struct GroupRules {
    std::vector<RobotsRule> rules;
    std::unordered_set<std::string> seen;
    std::chrono::milliseconds crawlDelay{0};

    void add(const RobotsRule& rule) {
        if (seen.insert((rule.allow ? "A" : "D") + rule.pattern).second)
            rules.push_back(rule);
    }
};

} // namespace

RobotsRules parseRobots(std::string_view file, std::string_view productToken) {
    file = readablePart(file);
    GroupRules named, anyone;
    RobotsRules result;
    bool inGroup = false;       // a user-agent line has been seen
    bool readingAgents = false; // no rule since the last user-agent line
    bool namesToken = false;    // the current group names the product token...
    bool namesAnyone = false;   // ...or "*"
    bool tokenNamed = false;    // some group names the product token

    int number = 0;
    for (std::size_t at = 0; at < file.size();) {
        std::size_t end = at;
        while (end < file.size() && !isLineEnd(file[end]))
            ++end;
        const std::string_view line = file.substr(at, end - at);
        at = end + (file.substr(end, 2) == "\r\n" ? 2 : 1);
        ++number;

        const std::string_view content = line.substr(0, line.find('#'));
        const std::size_t colon = content.find(':');
        if (colon == std::string_view::npos)
            continue; // not a record: ignored, and the group goes on
        const std::string_view field = text::trim(content.substr(0, colon));
        const std::string_view value = text::trim(content.substr(colon + 1));

        if (text::equalsIgnoreCase(field, "user-agent")) {
            if (!readingAgents)
                namesToken = namesAnyone = false; // a user-agent line after rules starts a group
            inGroup = readingAgents = true;
            if (!productToken.empty() && text::equalsIgnoreCase(namedToken(value), productToken))
                namesToken = tokenNamed = true;
            else if (value.starts_with('*'))
                namesAnyone = true;
        } else if (text::equalsIgnoreCase(field, "allow") ||
                   text::equalsIgnoreCase(field, "disallow")) {
            readingAgents = false;
            if (!inGroup || value.empty())
                continue; // outside every group, or an empty pattern: no rule
            const RobotsRule rule{robotsPatternForm(value), text::equalsIgnoreCase(field, "allow"),
                                  number, std::string(line)};
            if (namesToken)
                named.add(rule);
            if (namesAnyone)
                anyone.add(rule);
        } else if (text::equalsIgnoreCase(field, "crawl-delay")) {
            const auto delay = crawlDelayOf(value);
            if (inGroup && namesToken)
                named.crawlDelay = std::max(named.crawlDelay, delay);
            if (inGroup && namesAnyone)
                anyone.crawlDelay = std::max(anyone.crawlDelay, delay);
        } else if (text::equalsIgnoreCase(field, "sitemap") && !value.empty()) {
            result.sitemaps.emplace_back(value);
        }
    }
    GroupRules& used = tokenNamed ? named : anyone;
    result.rules = std::move(used.rules);
    result.crawlDelay = used.crawlDelay;
    return result;
}

RobotsVerdict decideRobots(const RobotsRules& rules, std::string_view pathAndQuery) {
    if (pathAndQuery == "/robots.txt")
        return {};
    const std::string path = robotsPathForm(pathAndQuery.empty() ? "/" : pathAndQuery);
    const RobotsRule* best = nullptr;
    for (const RobotsRule& rule : rules.rules) {
        if (best && (rule.pattern.size() < best->pattern.size() ||
                     (rule.pattern.size() == best->pattern.size() && (!rule.allow || best->allow))))
            continue; // could not win: shorter, or a tie Allow does not break
        if (robotsPatternMatches(rule.pattern, path))
            best = &rule;
    }
    if (!best)
        return {};
    return {best->allow, best->line, best->allow ? std::string() : best->text};
}

std::string describeVerdict(const RobotsVerdict& verdict) {
    if (verdict.allowed)
        return "allowed";
    return "disallowed by line " + std::to_string(verdict.line) + ": " + verdict.lineText;
}

} // namespace trov
