// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// FetchPage with fetch-ahead: the pages the crawl announces are fetched in parallel on one
// libcurl multi handle, with keep-alive and connection reuse and at most six connections
// per host, while the crawl takes the bodies one by one in its own order. Requests go at
// most a window of pages ahead of the crawl. The bodies held, fetched or in flight, stay
// within one byte budget: a transfer that would take them past it pauses until the crawl
// takes a page, except the page the crawl is waiting for, so at most the budget and one
// page are held whatever the pages weigh. Cancel abandons every transfer at once. Each
// host's robots.txt is read on the same multi handle before its first page, and its pace
// (Crawl-delay, Retry-After) kept by the crawl's manners.

#include "crawler/crawl_manners.h"
#include "crawler/curl_fetch.h"
#include "crawler/page_source.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace trov {

class ConcurrentPageSource : public PageSource {
public:
    static constexpr std::size_t kWindow = 32; // pages requested ahead at most
    static constexpr long kHostConnections = 6;
    static constexpr std::size_t kByteBudget = std::size_t{32} << 20;

    explicit ConcurrentPageSource(TransferOptions options, std::size_t window = kWindow,
                                  std::size_t budget = kByteBudget);
    ConcurrentPageSource();
    ~ConcurrentPageSource() override;
    ConcurrentPageSource(const ConcurrentPageSource&) = delete;
    ConcurrentPageSource& operator=(const ConcurrentPageSource&) = delete;

    void beginCrawl(const std::atomic<bool>& cancel) override;
    void endCrawl() override;
    std::string FetchPage(const std::string& address) override;
    void expect(const std::string& address) override;
    void forgetExpected() override;
    void setRespectRobots(bool respect) override { respectRobots_ = respect; }
    RobotsTally robotsTally() const override { return manners_.tally(); }
    std::vector<std::string> sitemapAddresses(const std::string& site,
                                              std::size_t maxAddresses) override {
        return manners_.sitemapAddresses(site, maxAddresses);
    }

    // Transfers started since the source was made, and the most ever running at once.
    std::size_t transfersStarted() const { return started_.load(); }
    std::size_t mostInFlight() const { return mostInFlight_.load(); }
    // The most bytes of bodies ever held at once.
    std::size_t mostHeld() const { return mostHeld_.load(); }

private:
    struct Slot;
    struct Running;
    struct RobotsRead {
        std::string origin;
        std::unique_ptr<EasyTransfer> transfer;
    };

    void drive();
    void startTransfers(std::vector<std::unique_ptr<Running>>& running);
    void abandonAll(std::vector<std::unique_ptr<Running>>& running);
    void wake();
    void dropForgotten();
    // Bookkeeping of the budget, under the mutex: what a slot holds counts until it goes.
    bool allow(Slot& slot, std::size_t bytes);
    void release(Slot& slot);
    void abandon(Slot& slot);
    // Paused transfers that may go on now, and room for the page awaited (worker thread).
    void resumePaused(std::vector<std::unique_ptr<Running>>& running);
    void makeWayForAwaited(std::vector<std::unique_ptr<Running>>& running);
    // Whether a waiting slot may start now by its host's robots.txt and pace; a page
    // robots.txt keeps the crawl from is done at once (under the mutex).
    bool mannersLetStart(Slot& slot);
    void startRobotsReads();
    // A transfer of the slot's host is over for the pacer without an answer.
    void unpace(const Slot& slot);

    TransferOptions options_;
    std::size_t window_;
    std::size_t budget_;
    const std::atomic<bool>* cancel_ = nullptr;
    bool respectRobots_ = true;
    CrawlManners manners_{PacerLimits{.connections = kHostConnections}};
    std::vector<std::string> robotsWanted_;                // origins to read (under the mutex)
    std::vector<std::unique_ptr<RobotsRead>> robotsReads_; // worker thread only
    CURLM* multi_ = nullptr;
    std::thread worker_;
    std::atomic<std::size_t> started_{0};
    std::atomic<std::size_t> mostInFlight_{0};
    std::atomic<std::size_t> mostHeld_{0};

    std::mutex mutex_;
    std::condition_variable done_;
    std::deque<std::shared_ptr<Slot>> queue_; // announced and not yet taken, in order
    // Pages fetched or fetching when the crawl moved to another phase: announced again
    // before the next page is asked for, they are not fetched a second time.
    std::vector<std::shared_ptr<Slot>> forgotten_;
    std::size_t held_ = 0; // bytes of the bodies of the slots above and of running ones
    bool quit_ = false;
    bool aborted_ = false; // the cancel was seen: every transfer is gone
};

} // namespace trov
