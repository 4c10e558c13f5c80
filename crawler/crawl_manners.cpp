// SPDX-License-Identifier: GPL-3.0-or-later
#include "crawler/crawl_manners.h"

#include "crawler/address_origin.h"
#include "crawler/sitemap_addresses.h"

#include <thread>

namespace trov {

namespace {

using namespace std::chrono_literals;

// How long a blocked fetch sleeps at most before it looks at the cancel flag again.
constexpr auto kWaitStep = 50ms;

} // namespace

// robots.txt files read by the caller's own transfers, handed to the policy when it asks;
// one asked for again (dropped from the policy's memory) is read on the spot.
class CrawlManners::HeldRobots : public RobotsSource {
public:
    explicit HeldRobots(const TransferOptions& options) : fallback_(options) {}
    void hold(const std::string& origin, RobotsFile file) {
        std::lock_guard lock(mutex_);
        files_[origin] = std::move(file);
    }
    RobotsFile read(const std::string& origin, const std::atomic<bool>* abort) override {
        {
            std::lock_guard lock(mutex_);
            const auto it = files_.find(origin);
            if (it != files_.end()) {
                RobotsFile file = std::move(it->second);
                files_.erase(it);
                return file;
            }
        }
        return fallback_.read(origin, abort);
    }

private:
    std::mutex mutex_;
    std::unordered_map<std::string, RobotsFile> files_;
    CurlRobotsSource fallback_;
};

CrawlManners::CrawlManners(PacerLimits limits) : limits_(limits) {
    robotsOptions_ = robotsFetchOptions();
    robotsOptions_.freshConnection = false;
    begin(true, nullptr);
}

CrawlManners::~CrawlManners() = default;

void CrawlManners::begin(bool respectRobots, const std::atomic<bool>* cancel) {
    respect_ = respectRobots;
    cancel_ = cancel;
    held_ = std::make_unique<HeldRobots>(robotsOptions_);
    policy_ = std::make_unique<RobotsPolicy>(*held_, std::string(kRobotsProductToken), cancel);
    pacer_ = std::make_unique<HostPacer>(clock_, limits_);
    std::lock_guard lock(mutex_);
    origins_.clear();
    keptOut_.clear();
}

bool CrawlManners::robotsKnown(const std::string& origin) const {
    if (!respect_)
        return true;
    std::lock_guard lock(mutex_);
    const auto it = origins_.find(origin);
    return it != origins_.end() && it->second == Read::Done;
}

std::optional<std::string> CrawlManners::startRobots(const std::string& origin) {
    std::lock_guard lock(mutex_);
    if (!origins_.try_emplace(origin, Read::Reading).second)
        return std::nullopt;
    return origin + "/robots.txt";
}

void CrawlManners::robotsRead(const std::string& origin, TransferResult result) {
    held_->hold(origin, robotsFileOf(std::move(result)));
    pacer_->setCrawlDelay(origin, policy_->check(origin + "/robots.txt").crawlDelay());
    std::lock_guard lock(mutex_);
    origins_[origin] = Read::Done;
}

bool CrawlManners::admits(const std::string& address) {
    return !respect_ || policy_->check(address).allowed();
}

void CrawlManners::keptOut(const std::string& address) {
    std::lock_guard lock(mutex_);
    keptOut_.insert(address);
}

RobotsTally CrawlManners::tally() const {
    RobotsTally tally;
    {
        std::lock_guard lock(mutex_);
        tally.pagesKeptOut = keptOut_.size();
    }
    for (const auto& host : policy_->unreadableHosts())
        tally.unreadable.push_back(host->unreadableMessage());
    return tally;
}

std::optional<TransferResult> CrawlManners::fetch(const std::string& address,
                                                  const TransferOptions& options) {
    const auto split = splitOrigin(address);
    if (!split)
        return transfer(address, options, cancel_);
    const std::string& origin = split->origin;
    if (respect_) {
        if (startRobots(origin))
            robotsRead(origin, transfer(origin + "/robots.txt", robotsOptions_, cancel_));
        if (!admits(address)) {
            keptOut(address);
            return std::nullopt;
        }
    }
    for (int retries = 0;; ++retries) {
        while (!pacer_->tryStart(origin)) {
            if (cancel_ && cancel_->load()) {
                TransferResult aborted;
                aborted.outcome = TransferResult::Outcome::Aborted;
                return aborted;
            }
            const auto wait = pacer_->nextStart(origin) - std::chrono::steady_clock::now();
            std::this_thread::sleep_for(
                std::clamp<std::chrono::steady_clock::duration>(wait, 1ms, kWaitStep));
        }
        TransferResult result = transfer(address, options, cancel_);
        if (!pacer_->finish(origin, result.status, result.retryAfter, retries))
            return result;
    }
}

std::vector<std::string> CrawlManners::sitemapAddresses(const std::string& site,
                                                        std::size_t maxAddresses) {
    std::vector<std::string> named;
    const auto split = splitOrigin(site);
    if (split && respect_) {
        if (startRobots(split->origin))
            robotsRead(split->origin,
                       transfer(split->origin + "/robots.txt", robotsOptions_, cancel_));
        if (const auto check = policy_->check(split->origin + "/robots.txt"); check.host)
            named = check.host->rules.sitemaps;
    }
    const TransferOptions options = sitemapFetchOptions();
    const auto fetchFile = [&](const std::string& address) -> std::optional<std::string> {
        auto result = fetch(address, options);
        if (!result || !answeredWith2xx(*result))
            return std::nullopt;
        return std::move(result->body);
    };
    return collectSitemapAddresses(site, named, fetchFile, maxAddresses);
}

} // namespace trov
