// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// FetchPage on libcurl: one page at a time on a fresh connection, as the crawler has
// always fetched.

#include "crawler/curl_fetch.h"
#include "crawler/page_source.h"

namespace trov {

// "Mozilla/5.0(compatible; Trov 1.0; " + the product's address + ")".
std::string crawlerAgent();
TransferOptions pageFetchOptions();

// The page a finished transfer gives: the decoded body, or "NIL" when it failed.
std::string pageText(const TransferResult& result);

// One page: the decoded body; "NIL" when it cannot be opened, stalls or is abandoned.
std::string FetchPage(const std::string& address, const TransferOptions& options,
                      const std::atomic<bool>* abort);

class CurlPageSource : public PageSource {
public:
    explicit CurlPageSource(TransferOptions options = pageFetchOptions())
        : options_(std::move(options)) {}

    void beginCrawl(const std::atomic<bool>& cancel) override { cancel_ = &cancel; }
    void endCrawl() override { cancel_ = nullptr; }
    std::string FetchPage(const std::string& address) override;

private:
    TransferOptions options_;
    const std::atomic<bool>* cancel_ = nullptr;
};

} // namespace trov
