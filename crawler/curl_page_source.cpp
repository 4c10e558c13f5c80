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

std::string FetchPage(const std::string& address, const TransferOptions& options,
                      const std::atomic<bool>* abort) {
    TransferResult r = transfer(address, options, abort);
    using Outcome = TransferResult::Outcome;
    if (r.outcome != Outcome::Done && r.outcome != Outcome::PartialBody)
        return std::string(kNil);
    return decodeBody(r.body, r.contentType);
}

std::string CurlPageSource::FetchPage(const std::string& address) {
    return trov::FetchPage(address, options_, cancel_);
}

} // namespace trov
