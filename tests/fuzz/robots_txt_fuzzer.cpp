// SPDX-License-Identifier: GPL-3.0-or-later
// Any robots.txt (first line: a product token and a path, the rest: the file): parsing and
// deciding never fault, a disallowing verdict names a line of the file, and /robots.txt
// itself is always allowed.

#include "crawler/robots_pattern.h"
#include "crawler/robots_rules.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trov;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string_view first = input.substr(0, input.find('\n'));
    const std::string_view file = input.substr(std::min(first.size() + 1, input.size()));
    const std::size_t blank = first.find(' ');
    const std::string_view token = first.substr(0, blank);
    const std::string_view path = blank == std::string_view::npos ? "/" : first.substr(blank + 1);

    const RobotsRules rules = parseRobots(file, token);
    if (rules.crawlDelay < std::chrono::milliseconds(0) || rules.crawlDelay > kMaxCrawlDelay)
        std::abort();
    for (const std::string_view asked : {path, std::string_view("/"), file.substr(0, 200)}) {
        const RobotsVerdict verdict = decideRobots(rules, asked);
        if (!verdict.allowed && (verdict.line < 1 || file.find(verdict.lineText) == file.npos))
            std::abort();
        (void)describeVerdict(verdict);
    }
    if (!decideRobots(rules, "/robots.txt").allowed)
        std::abort();
    // A path always matches its own written form taken as a pattern.
    const std::string form = robotsPathForm(path);
    if (!robotsPatternMatches(form, form))
        std::abort();
    return 0;
}
