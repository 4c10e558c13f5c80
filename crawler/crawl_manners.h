// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How a crawl's page source treats the sites it fetches from: each origin's robots.txt
// (read once, before its first page), its Crawl-delay between request starts and, after a
// 429 or 503, its Retry-After pause, the request asked again at most twice and one
// connection from then on. A source that drives many transfers at once asks the parts it
// needs (readRobots, admits, pacer); one that fetches a page at a time uses fetch(), which
// does it all and blocks. Safe to use from several threads.

#include "common/translatable.h"
#include "crawler/curl_fetch.h"
#include "crawler/host_pacer.h"
#include "crawler/page_source.h"
#include "crawler/robots_policy.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace trov {

// What a window tells at the end of a crawl that robots.txt kept from some pages.
inline constexpr char kRobotsKeptOut[] =
    TROV_TEXT("Core", "robots.txt kept the crawler from %1 pages; they were not fetched.");

class CrawlManners {
public:
    explicit CrawlManners(PacerLimits limits = {});
    ~CrawlManners();
    CrawlManners(const CrawlManners&) = delete;
    CrawlManners& operator=(const CrawlManners&) = delete;

    // A crawl starts: nothing of the last one's hosts is kept. cancel ends a wait or a
    // read under way.
    void begin(bool respectRobots, const std::atomic<bool>* cancel);
    bool respectsRobots() const { return respect_; }

    // The origin's robots.txt: whether it has been read (always, when it is not obeyed),
    // and the transfer that reads it, which the caller runs and hands back with
    // robotsRead. startRobots is asked once per origin; later calls answer nothing.
    bool robotsKnown(const std::string& origin) const;
    std::optional<std::string> startRobots(const std::string& origin);
    void robotsRead(const std::string& origin, TransferResult result);
    // The options of a robots.txt transfer, the agent of the pages'.
    const TransferOptions& robotsOptions() const { return robotsOptions_; }

    // Whether robots.txt lets the crawl fetch this address (its origin read or not).
    bool admits(const std::string& address);
    // The crawl gave up a page robots.txt kept it from; each address counts once.
    void keptOut(const std::string& address);
    RobotsTally tally() const;

    HostPacer& pacer() { return *pacer_; }

    // One request obeying all of the above, waiting as long as the host asks: the answer,
    // or nothing when robots.txt keeps the crawl from it (counted). A final 429 or 503
    // comes back as it was answered.
    std::optional<TransferResult> fetch(const std::string& address, const TransferOptions& options);
    // The page addresses the site's sitemaps list (see collectSitemapAddresses), every
    // file fetched as above.
    std::vector<std::string> sitemapAddresses(const std::string& site, std::size_t maxAddresses);

private:
    class HeldRobots;

    SystemPacerClock clock_;
    const PacerLimits limits_;
    TransferOptions robotsOptions_;
    bool respect_ = true;
    const std::atomic<bool>* cancel_ = nullptr;
    std::unique_ptr<HeldRobots> held_;
    std::unique_ptr<RobotsPolicy> policy_;
    std::unique_ptr<HostPacer> pacer_;

    mutable std::mutex mutex_;
    enum class Read { Reading, Done };
    std::unordered_map<std::string, Read> origins_;
    std::unordered_set<std::string> keptOut_;
};

} // namespace trov
