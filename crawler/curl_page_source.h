// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// FetchPage on libcurl: one page at a time on a fresh connection, as the crawler has
// always fetched, robots.txt and each host's pace obeyed.

#include "crawler/crawl_manners.h"
#include "crawler/curl_fetch.h"
#include "crawler/page_source.h"

namespace trov {

// "Mozilla/5.0(compatible; Trov 1.0; " + the product's address + ")".
std::string crawlerAgent();
TransferOptions pageFetchOptions();

// The page a finished transfer gives: the decoded body, empty for a body that is no text,
// or "NIL" when it failed. cancel cuts the decoding short.
std::string pageText(TransferResult result, const std::atomic<bool>* cancel = nullptr);

// One page: the decoded body; "NIL" when it cannot be opened, stalls or is abandoned.
std::string FetchPage(const std::string& address, const TransferOptions& options,
                      const std::atomic<bool>* abort);

class CurlPageSource : public PageSource {
public:
    explicit CurlPageSource(TransferOptions options = pageFetchOptions())
        : options_(std::move(options)) {}

    void beginCrawl(const std::atomic<bool>& cancel) override {
        cancel_ = &cancel;
        manners_.begin(respectRobots_, cancel_);
    }
    void endCrawl() override { cancel_ = nullptr; }
    std::string FetchPage(const std::string& address) override;
    void setRespectRobots(bool respect) override { respectRobots_ = respect; }
    RobotsTally robotsTally() const override { return manners_.tally(); }
    std::vector<std::string> sitemapAddresses(const std::string& site,
                                              std::size_t maxAddresses) override {
        return manners_.sitemapAddresses(site, maxAddresses);
    }

private:
    TransferOptions options_;
    const std::atomic<bool>* cancel_ = nullptr;
    bool respectRobots_ = true;
    CrawlManners manners_;
};

} // namespace trov
