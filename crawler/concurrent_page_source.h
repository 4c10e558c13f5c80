// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// FetchPage with fetch-ahead: the pages the crawl announces are fetched in parallel on one
// libcurl multi handle, with keep-alive and connection reuse and at most six connections
// per host, while the crawl takes the bodies one by one in its own order. At most a fixed
// window of announced pages is in flight or waiting to be taken, so memory stays bounded.
// Cancel abandons every transfer at once.

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
    static constexpr std::size_t kWindow = 32; // pages fetched ahead at most
    static constexpr long kHostConnections = 6;

    explicit ConcurrentPageSource(TransferOptions options, std::size_t window = kWindow);
    ConcurrentPageSource();
    ~ConcurrentPageSource() override;
    ConcurrentPageSource(const ConcurrentPageSource&) = delete;
    ConcurrentPageSource& operator=(const ConcurrentPageSource&) = delete;

    void beginCrawl(const std::atomic<bool>& cancel) override;
    void endCrawl() override;
    std::string FetchPage(const std::string& address) override;
    void expect(const std::string& address) override;
    void forgetExpected() override;

    // Transfers started since the source was made, and the most ever running at once.
    std::size_t transfersStarted() const { return started_.load(); }
    std::size_t mostInFlight() const { return mostInFlight_.load(); }

private:
    struct Slot;
    struct Running;

    void drive();
    void startTransfers(std::vector<std::unique_ptr<Running>>& running);
    void abandonAll(std::vector<std::unique_ptr<Running>>& running);
    void wake();
    void dropForgotten();

    TransferOptions options_;
    std::size_t window_;
    const std::atomic<bool>* cancel_ = nullptr;
    CURLM* multi_ = nullptr;
    std::thread worker_;
    std::atomic<std::size_t> started_{0};
    std::atomic<std::size_t> mostInFlight_{0};

    std::mutex mutex_;
    std::condition_variable done_;
    std::deque<std::shared_ptr<Slot>> queue_; // announced and not yet taken, in order
    // Pages fetched or fetching when the crawl moved to another phase: announced again
    // before the next page is asked for, they are not fetched a second time.
    std::vector<std::shared_ptr<Slot>> forgotten_;
    bool quit_ = false;
    bool aborted_ = false; // the cancel was seen: every transfer is gone
};

} // namespace trov
