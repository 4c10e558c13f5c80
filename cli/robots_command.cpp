// SPDX-License-Identifier: GPL-3.0-or-later
// trovctl robots: whether the crawler may fetch an address, and the line of robots.txt
// that says no. The answer comes from the crawl's own robots.txt policy.

#include "cli/commands.h"
#include "crawler/address_origin.h"
#include "crawler/robots_policy.h"

#include <fstream>
#include <iterator>
#include <ostream>

namespace trov::cli {

namespace {

constexpr int kExitDisallowed = 1;
constexpr int kExitRobotsUnreadable = 3;

// The rules file as far as the parser reads it, so a huge file costs no more.
RobotsFile rulesFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw OperationError(path + ": No such file or directory");
    std::string bytes(kRobotsParseLimit + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad())
        throw OperationError(path + ": cannot be read");
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return {RobotsFile::Access::Rules, std::move(bytes), {}};
}

} // namespace

int runRobots(Context& ctx) {
    const auto rules = ctx.args.option("--rules");
    const auto agent = ctx.args.option("--agent");
    const std::vector<std::string> words = ctx.args.positionals();
    if (words.size() != 1)
        throw UsageError("robots needs one URL; usage: trovctl robots [--rules FILE] "
                         "[--agent NAME] URL");
    if (agent && agent->empty())
        throw UsageError("--agent needs a name");
    if (!splitOrigin(words[0]))
        throw UsageError("robots: " + words[0] + " is not an http or https address");

    CurlRobotsSource site;
    FixedRobotsSource given(rules ? rulesFile(*rules) : RobotsFile{});
    RobotsPolicy policy(rules ? static_cast<RobotsSource&>(given) : site,
                        agent.value_or(std::string(kRobotsProductToken)));
    const RobotsCheck check = policy.check(words[0]);
    if (check.host && check.host->unreadable()) {
        ctx.err << check.host->unreadableMessage() << "\n";
        return kExitRobotsUnreadable;
    }
    ctx.out << describeVerdict(check.verdict) << "\n";
    return check.allowed() ? kExitDone : kExitDisallowed;
}

} // namespace trov::cli
