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

std::string pageText(const TransferResult& result) {
    using Outcome = TransferResult::Outcome;
    if (result.outcome != Outcome::Done && result.outcome != Outcome::PartialBody)
        return std::string(kNil);
    return decodeBody(result.body, result.contentType);
}

std::string FetchPage(const std::string& address, const TransferOptions& options,
                      const std::atomic<bool>* abort) {
    return pageText(transfer(address, options, abort));
}

std::string CurlPageSource::FetchPage(const std::string& address) {
    return trov::FetchPage(address, options_, cancel_);
}

} // namespace trov
