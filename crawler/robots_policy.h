// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// robots.txt for one crawl: each origin's file is read the first time an address of it is
// asked about and kept for the rest of the crawl, so every later question is a look-up
// and a match. Safe to ask from several threads at once; two questions about an origin
// not read yet wait for one read.

#include "crawler/robots_rules.h"
#include "crawler/robots_source.h"

#include <atomic>
#include <condition_variable>
#include <list>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace trov {

// One origin's robots.txt as the crawl obeys it.
struct HostRobots {
    std::string origin; // "https://example.com[:port]"
    RobotsFile::Access access = RobotsFile::Access::Unavailable;
    std::string answer; // Unreachable: what the host answered
    RobotsRules rules;  // Rules: the groups the product token uses

    bool unreadable() const { return access == RobotsFile::Access::Unreachable; }
    // For an unreadable host: which host, what it answered, and how to crawl it anyway.
    std::string unreadableMessage() const;
};

struct RobotsCheck {
    RobotsVerdict verdict;                  // for an unreadable host: not allowed, line 0
    std::shared_ptr<const HostRobots> host; // none for an address that is not http(s)

    bool allowed() const { return verdict.allowed; }
    std::chrono::milliseconds crawlDelay() const {
        return host ? host->rules.crawlDelay : std::chrono::milliseconds(0);
    }
};

class RobotsPolicy {
public:
    // The rules of origins read are kept within this many bytes; past it the oldest are
    // dropped, to be read again should the crawl come back to them.
    static constexpr std::size_t kMemoryBudget = std::size_t{64} << 20;

    // abort (the crawl's cancel flag) ends a read under way.
    explicit RobotsPolicy(RobotsSource& source,
                          std::string productToken = std::string(kRobotsProductToken),
                          const std::atomic<bool>* abort = nullptr,
                          std::size_t memoryBudget = kMemoryBudget);

    // May the crawl fetch this address? An address that is not http or https, or that
    // libcurl cannot read, is allowed: its fetch fails on its own. May throw
    // FetchInitError.
    RobotsCheck check(const std::string& address);
    // The origins whose robots.txt could not be read, in the order they were met.
    std::vector<std::shared_ptr<const HostRobots>> unreadableHosts() const;
    std::size_t originsRead() const { return reads_.load(); }

private:
    struct Entry {
        std::shared_ptr<const HostRobots> host; // null while it is being read
        std::size_t cost = 0;
    };

    std::shared_ptr<const HostRobots> hostFor(const std::string& origin);
    std::shared_ptr<const HostRobots> readHost(const std::string& origin);
    void keepWithinBudget(const std::string& kept);

    RobotsSource& source_;
    const std::string productToken_;
    const std::atomic<bool>* abort_;
    const std::size_t memoryBudget_;
    std::atomic<std::size_t> reads_{0};

    mutable std::mutex mutex_;
    std::condition_variable readDone_;
    std::unordered_map<std::string, Entry> hosts_;
    std::list<std::string> order_; // origins that may be dropped, oldest first
    std::size_t held_ = 0;
    std::vector<std::shared_ptr<const HostRobots>> unreadable_;
};

} // namespace trov
