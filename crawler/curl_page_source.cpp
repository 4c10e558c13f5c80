// SPDX-License-Identifier: GPL-3.0-or-later
#include "crawler/curl_page_source.h"

#include "common/version.h"
#include "crawler/body_decoding.h"
#include "crawler/link_list.h"

namespace trov {

std::string crawlerAgent() {
    return std::string("Mozilla/5.0(compatible; Trov 1.0; ") + kProductUrl + ")";
}

TransferOptions pageFetchOptions() {
    TransferOptions o;
    o.agent = crawlerAgent();
    return o;
}

std::string pageText(TransferResult result, const std::atomic<bool>* cancel) {
    using Outcome = TransferResult::Outcome;
    if (result.outcome == Outcome::NotText)
        return {}; // a page without content, as an empty body is
    if (result.outcome != Outcome::Done && result.outcome != Outcome::PartialBody)
        return std::string(kNil);
    return decodeBody(std::move(result.body), result.contentType, cancel);
}

std::string FetchPage(const std::string& address, const TransferOptions& options,
                      const std::atomic<bool>* abort) {
    return pageText(transfer(address, options, abort), abort);
}

std::string CurlPageSource::FetchPage(const std::string& address) {
    if (cancel_ == nullptr) // outside a crawl: one page on its own
        return trov::FetchPage(address, options_, nullptr);
    auto result = manners_.fetch(address, options_);
    if (!result || isTooBusy(result->status))
        return {}; // kept out, or still too busy: a page without content
    return pageText(std::move(*result), cancel_);
}

} // namespace trov
