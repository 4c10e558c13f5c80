// SPDX-License-Identifier: GPL-3.0-or-later
#include "crawler/link_status.h"

#include <algorithm>
#include <array>

namespace trov {

namespace {

constexpr std::array<std::pair<LinkError, std::string_view>, 6> kNames = {{
    {LinkError::Dns, "dns"},
    {LinkError::Refused, "refused"},
    {LinkError::Timeout, "timeout"},
    {LinkError::Tls, "tls"},
    {LinkError::RedirectLoop, "redirect-loop"},
    {LinkError::Robots, "robots"},
}};

// Every transfer failure goes to the class closest to what the user can do about it. A
// code not listed means the host took the connection and then gave no usable answer
// (reset, closed, an answer that is not HTTP): it refused to answer, so "refused".
constexpr std::array<std::pair<CURLcode, LinkError>, 22> kCurlCodes = {{
    {CURLE_COULDNT_RESOLVE_HOST, LinkError::Dns},
    {CURLE_COULDNT_RESOLVE_PROXY, LinkError::Dns},
    // An address libcurl cannot read names no host it could look up.
    {CURLE_URL_MALFORMAT, LinkError::Dns},
    {CURLE_UNSUPPORTED_PROTOCOL, LinkError::Dns},
    {CURLE_COULDNT_CONNECT, LinkError::Refused},
    {CURLE_OPERATION_TIMEDOUT, LinkError::Timeout},
    {CURLE_SSL_CONNECT_ERROR, LinkError::Tls},
    {CURLE_PEER_FAILED_VERIFICATION, LinkError::Tls},
    {CURLE_SSL_CERTPROBLEM, LinkError::Tls},
    {CURLE_SSL_CIPHER, LinkError::Tls},
    {CURLE_SSL_CACERT_BADFILE, LinkError::Tls},
    {CURLE_SSL_ENGINE_NOTFOUND, LinkError::Tls},
    {CURLE_SSL_ENGINE_SETFAILED, LinkError::Tls},
    {CURLE_SSL_ENGINE_INITFAILED, LinkError::Tls},
    {CURLE_SSL_CRL_BADFILE, LinkError::Tls},
    {CURLE_SSL_ISSUER_ERROR, LinkError::Tls},
    {CURLE_SSL_PINNEDPUBKEYNOTMATCH, LinkError::Tls},
    {CURLE_SSL_INVALIDCERTSTATUS, LinkError::Tls},
    {CURLE_SSL_SHUTDOWN_FAILED, LinkError::Tls},
    {CURLE_SSL_CLIENTCERT, LinkError::Tls},
    {CURLE_USE_SSL_FAILED, LinkError::Tls},
    {CURLE_TOO_MANY_REDIRECTS, LinkError::RedirectLoop},
}};

} // namespace

std::string_view linkErrorName(LinkError error) {
    for (const auto& [e, name] : kNames)
        if (e == error)
            return name;
    return {};
}

LinkError linkErrorOf(CURLcode code) {
    if (code == CURLE_OK)
        return LinkError::None;
    for (const auto& [c, error] : kCurlCodes)
        if (c == code)
            return error;
    return LinkError::Refused;
}

std::size_t problemCount(const LinkReport& report) {
    return static_cast<std::size_t>(std::count_if(
        report.begin(), report.end(), [](const LinkCheckRow& r) { return r.problem(); }));
}

} // namespace trov
