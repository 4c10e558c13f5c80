// SPDX-License-Identifier: GPL-3.0-or-later
#include "crawler/robots_policy.h"

#include "crawler/address_origin.h"

namespace trov {

namespace {

std::size_t costOf(const HostRobots& host) {
    std::size_t cost = sizeof host + host.origin.size() + host.answer.size();
    for (const RobotsRule& rule : host.rules.rules)
        cost += sizeof rule + rule.pattern.size() + rule.text.size();
    for (const std::string& sitemap : host.rules.sitemaps)
        cost += sizeof sitemap + sitemap.size();
    return cost;
}

} // namespace

std::string HostRobots::unreadableMessage() const {
    return "The robots.txt of " + origin + " could not be read (" + answer +
           "), so nothing on that host is fetched in this crawl. If the site is your own, "
           "crawl it anyway with \"Respect robots.txt\" unchecked in the crawler menu, or "
           "with trovctl crawl --no-robots.";
}

RobotsPolicy::RobotsPolicy(RobotsSource& source, std::string productToken,
                           const std::atomic<bool>* abort, std::size_t memoryBudget)
    : source_(source), productToken_(std::move(productToken)), abort_(abort),
      memoryBudget_(memoryBudget) {}

RobotsCheck RobotsPolicy::check(const std::string& address) {
    const auto split = splitOrigin(address);
    if (!split)
        return {};
    RobotsCheck result{{}, hostFor(split->origin)};
    if (result.host->unreadable())
        result.verdict.allowed = false;
    else
        result.verdict = decideRobots(result.host->rules, split->pathAndQuery);
    return result;
}

std::vector<std::shared_ptr<const HostRobots>> RobotsPolicy::unreadableHosts() const {
    std::lock_guard lock(mutex_);
    return unreadable_;
}

std::shared_ptr<const HostRobots> RobotsPolicy::hostFor(const std::string& origin) {
    {
        std::unique_lock lock(mutex_);
        for (;;) {
            const auto it = hosts_.find(origin);
            if (it == hosts_.end())
                break;
            if (it->second.host)
                return it->second.host;
            readDone_.wait(lock); // another thread is reading this origin
        }
        hosts_.emplace(origin, Entry{}); // this thread reads it
    }
    std::shared_ptr<const HostRobots> host;
    try {
        host = readHost(origin);
    } catch (...) {
        std::lock_guard lock(mutex_);
        hosts_.erase(origin);
        readDone_.notify_all();
        throw;
    }
    std::lock_guard lock(mutex_);
    Entry& entry = hosts_[origin];
    entry.host = host;
    entry.cost = costOf(*host);
    held_ += entry.cost;
    if (host->unreadable())
        unreadable_.push_back(host); // kept for good: it is small and reported once
    else
        order_.push_back(origin);
    keepWithinBudget(origin);
    readDone_.notify_all();
    return host;
}

std::shared_ptr<const HostRobots> RobotsPolicy::readHost(const std::string& origin) {
    ++reads_;
    RobotsFile file = source_.read(origin, abort_);
    auto host = std::make_shared<HostRobots>();
    host->origin = origin;
    host->access = file.access;
    host->answer = std::move(file.answer);
    if (file.access == RobotsFile::Access::Rules)
        host->rules = parseRobots(file.body, productToken_);
    return host;
}

void RobotsPolicy::keepWithinBudget(const std::string& kept) {
    for (auto it = order_.begin(); held_ > memoryBudget_ && it != order_.end();) {
        if (*it == kept) {
            ++it;
            continue;
        }
        held_ -= hosts_[*it].cost;
        hosts_.erase(*it);
        it = order_.erase(it);
    }
}

} // namespace trov
