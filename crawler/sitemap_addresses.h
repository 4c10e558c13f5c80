// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The page addresses a site lists in its sitemaps, for a crawl that starts from them too:
// the sitemaps its robots.txt names, else /sitemap.xml of the site's origin; an index is
// followed one level down. Every count is bounded: at most the crawl table's worth of
// addresses, and a fixed number of files fetched.

#include "crawler/curl_fetch.h"
#include "crawler/link_list.h"
#include "crawler/sitemap_reader.h"

#include <functional>
#include <optional>

namespace trov {

inline constexpr std::size_t kSitemapFilesRead = 50;

// A sitemap file's bytes, or nothing when it could not be had (the caller decides how:
// the crawl's agent, robots.txt, its cancel flag).
using SitemapFetch = std::function<std::optional<std::string>(const std::string& address)>;

// The crawl's agent, up to five redirects, the body cut at the unpacked limit (a packed
// file is never larger).
TransferOptions sitemapFetchOptions();

// robotsSitemaps: the Sitemap lines of the site's robots.txt (empty when it has none or
// was not read). Addresses come in the order the files list them; they are not checked
// against the crawl's rules, which the caller applies as to any link.
std::vector<std::string> collectSitemapAddresses(const std::string& siteAddress,
                                                 const std::vector<std::string>& robotsSitemaps,
                                                 const SitemapFetch& fetch,
                                                 std::size_t maxAddresses = kLinkListSize);

} // namespace trov
