// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/reachability.h"

#include "common/text.h"
#include "crawler/curl_fetch.h"

namespace trov {

std::string reachabilityAddress(const std::string& site) {
    const std::string lower = text::toLower(site);
    if (lower.find("http://") == std::string::npos && lower.find("https://") == std::string::npos)
        return "http://" + site;
    return site;
}

bool CurlReachability::reachable(const std::string& site) {
    TransferOptions options;
    options.agent = "InetURL:/1.0";
    options.statusOnly = true;
    options.stallLimit = stallLimit;
    try {
        const TransferResult r = transfer(reachabilityAddress(site), options, abort_);
        if (r.outcome != TransferResult::Outcome::Done)
            return false;
        return r.status == 200 || r.status == 302;
    } catch (const std::exception&) {
        return false; // no handle: the check cannot be made
    }
}

} // namespace trov
