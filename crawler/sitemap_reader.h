// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A sitemap file as a site publishes it: <urlset><url><loc> lists pages,
// <sitemapindex><sitemap><loc> lists further sitemaps. Read with libexpat in one pass; a
// gzip file (a ".xml.gz", or a body sent packed) is unpacked with zlib on the way, and
// reading stops at a limit on the unpacked bytes, so a small file that unpacks to
// gigabytes costs no more than the limit. A document type declaration ends the reading:
// a sitemap has no use for one, and without it no entity can grow.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace trov {

struct SitemapLimits {
    std::size_t maxBytes = 50u << 20;     // unpacked, as the sitemap format allows
    std::size_t maxLocations = 50000;     // the format's own limit per file
    std::size_t maxLocationLength = 4096; // a longer <loc> is skipped
};

struct Sitemap {
    bool index = false;                 // the locations are sitemaps, not pages
    std::vector<std::string> locations; // trimmed, in document order
    // false when the file was not a sitemap, malformed, or cut at a limit: the locations
    // are then those before that point.
    bool whole = true;
};

Sitemap readSitemap(std::string_view bytes, const SitemapLimits& limits = {});

} // namespace trov
