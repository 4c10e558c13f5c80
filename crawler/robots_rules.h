// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A site's robots.txt as RFC 9309 reads it, kept for one product token: the rules of the
// groups whose user-agent line names the token (case-insensitive), merged, or else those
// of the "*" groups; the longest matching pattern decides, Allow winning a tie. A
// Crawl-delay in the groups used and the Sitemap lines of the whole file come along.

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace trov {

inline constexpr std::string_view kRobotsProductToken = "Trov";
// Only this much of a robots.txt is read; a line cut there is dropped.
inline constexpr std::size_t kRobotsParseLimit = 500 * 1024;
inline constexpr std::chrono::milliseconds kMaxCrawlDelay{30000};

struct RobotsRule {
    std::string pattern; // in the compared form of robots_pattern.h
    bool allow = false;
    int line = 0;     // 1-based
    std::string text; // the line as it stands in the file
};

struct RobotsRules {
    std::vector<RobotsRule> rules;
    std::chrono::milliseconds crawlDelay{0}; // the largest of the groups used, capped
    std::vector<std::string> sitemaps;       // every Sitemap line's address, in file order
};

struct RobotsVerdict {
    bool allowed = true;
    int line = 0; // the deciding rule's line; 0 when no rule matched
    std::string lineText;
};

// Reads any bytes in one pass; lines end with CR, LF or CR LF.
RobotsRules parseRobots(std::string_view file, std::string_view productToken = kRobotsProductToken);
// The verdict for an address's path and query ("/" for an address without a path).
// "/robots.txt" itself is always allowed.
RobotsVerdict decideRobots(const RobotsRules& rules, std::string_view pathAndQuery);
// "allowed", or "disallowed by line N: " and the line.
std::string describeVerdict(const RobotsVerdict& verdict);

} // namespace trov
