// SPDX-License-Identifier: GPL-3.0-or-later
#include "crawler/address_origin.h"

#include "common/text.h"

#include <curl/curl.h>
#include <memory>

namespace trov {

namespace {

struct UrlDeleter {
    void operator()(CURLU* u) const { curl_url_cleanup(u); }
};

std::optional<std::string> part(CURLU* url, CURLUPart which, unsigned flags = 0) {
    char* value = nullptr;
    if (curl_url_get(url, which, &value, flags) != CURLUE_OK)
        return std::nullopt;
    std::string copy(value ? value : "");
    curl_free(value);
    return copy;
}

} // namespace

std::optional<AddressOrigin> splitOrigin(const std::string& address) {
    const std::unique_ptr<CURLU, UrlDeleter> url(curl_url());
    if (!url || curl_url_set(url.get(), CURLUPART_URL, address.c_str(), 0) != CURLUE_OK)
        return std::nullopt;
    const auto scheme = part(url.get(), CURLUPART_SCHEME);
    const auto host = part(url.get(), CURLUPART_HOST);
    const auto port = part(url.get(), CURLUPART_PORT, CURLU_DEFAULT_PORT);
    if (!scheme || !host || !port || (*scheme != "http" && *scheme != "https"))
        return std::nullopt;
    AddressOrigin split;
    split.origin = *scheme + "://" + text::toLower(*host);
    if (*port != (*scheme == "http" ? "80" : "443"))
        split.origin += ":" + *port;
    split.pathAndQuery = part(url.get(), CURLUPART_PATH).value_or("/");
    if (const auto query = part(url.get(), CURLUPART_QUERY))
        split.pathAndQuery += "?" + *query;
    return split;
}

} // namespace trov
