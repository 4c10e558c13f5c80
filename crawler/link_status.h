// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a link check says of one address: the final HTTP code, or the class of the failure
// that kept it from one. The names of the classes are written into reports.

#include <cstdint>
#include <curl/curl.h>
#include <string>
#include <string_view>
#include <vector>

namespace trov {

enum class LinkError : std::uint8_t {
    None,
    Dns,          // the host's name is not known (or the address names no host)
    Refused,      // the host would not take the connection or gave no answer on it
    Timeout,      // no answer in time
    Tls,          // the secure connection could not be made
    RedirectLoop, // more than ten redirects, or one back to an address of the chain
    Robots,       // robots.txt keeps the crawler from it: not requested
};

// "dns", "refused", "timeout", "tls", "redirect-loop", "robots"; "" for None.
std::string_view linkErrorName(LinkError error);

// The class of a transfer that ended with this libcurl code; None for CURLE_OK.
LinkError linkErrorOf(CURLcode code);

struct LinkCheckRow {
    std::string address;
    long status = 0; // the final HTTP code; 0 with an error
    LinkError error = LinkError::None;
    std::string finalAddress; // where the redirects ended; the address when there were none
    std::string foundOn;
    std::size_t timesFound = 0;

    // A code of 400 and above, and every error but robots.txt's, wants the user's eye.
    bool problem() const {
        return error == LinkError::None ? status >= 400 : error != LinkError::Robots;
    }
};

using LinkReport = std::vector<LinkCheckRow>;

std::size_t problemCount(const LinkReport& report);

} // namespace trov
