// SPDX-License-Identifier: GPL-3.0-or-later
#include "crawler/robots_source.h"

#include "crawler/curl_page_source.h"
#include "crawler/robots_rules.h"

namespace trov {

TransferOptions robotsFetchOptions() {
    TransferOptions options = pageFetchOptions();
    options.maxRedirects = 5;
    options.maxBody = kRobotsParseLimit + 1; // one byte more tells a cut line from a whole one
    return options;
}

RobotsFile robotsFileOf(TransferResult result) {
    const long status = result.status;
    if (status >= 200 && status < 300)
        return {RobotsFile::Access::Rules, std::move(result.body), {}};
    // A 3xx is what is left after too many redirects, or one that leads nowhere.
    if (status >= 300 && status < 500)
        return {};
    return {RobotsFile::Access::Unreachable,
            {},
            status == 0 ? "no answer" : "HTTP " + std::to_string(status)};
}

RobotsFile CurlRobotsSource::read(const std::string& origin, const std::atomic<bool>* abort) {
    return robotsFileOf(transfer(origin + "/robots.txt", options_, abort));
}

} // namespace trov
