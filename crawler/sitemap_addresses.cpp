// SPDX-License-Identifier: GPL-3.0-or-later
#include "crawler/sitemap_addresses.h"

#include "crawler/address_origin.h"
#include "crawler/curl_page_source.h"

#include <algorithm>

namespace trov {

TransferOptions sitemapFetchOptions() {
    TransferOptions options = pageFetchOptions();
    options.maxRedirects = 5;
    options.maxBody = SitemapLimits{}.maxBytes;
    return options;
}

std::vector<std::string> collectSitemapAddresses(const std::string& siteAddress,
                                                 const std::vector<std::string>& robotsSitemaps,
                                                 const SitemapFetch& fetch,
                                                 std::size_t maxAddresses) {
    std::vector<std::string> addresses;
    std::size_t filesLeft = kSitemapFilesRead;
    // Reads one file; an index's entries are returned for the caller to follow.
    const auto read = [&](const std::string& address) -> Sitemap {
        if (filesLeft == 0 || addresses.size() >= maxAddresses || !splitOrigin(address))
            return {};
        --filesLeft;
        const auto bytes = fetch(address);
        if (!bytes)
            return {};
        SitemapLimits limits;
        limits.maxLocations =
            std::min(limits.maxLocations, std::max(maxAddresses - addresses.size(), filesLeft));
        Sitemap sitemap = readSitemap(*bytes, limits);
        if (!sitemap.index)
            for (std::string& location : sitemap.locations)
                if (addresses.size() < maxAddresses)
                    addresses.push_back(std::move(location));
        return sitemap;
    };

    std::vector<std::string> sources = robotsSitemaps;
    if (sources.empty())
        if (const auto site = splitOrigin(siteAddress))
            sources.push_back(site->origin + "/sitemap.xml");
    for (const std::string& source : sources) {
        const Sitemap top = read(source);
        if (top.index)
            for (const std::string& child : top.locations)
                read(child); // an index found there is not followed further
    }
    return addresses;
}

} // namespace trov
