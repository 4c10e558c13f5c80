// SPDX-License-Identifier: GPL-3.0-or-later
// Any sitemap file: reading never faults and stays within its limits, and the same bytes
// packed with gzip read the same as plain.

#include "crawler/sitemap_reader.h"
#include "tests/support/gzip.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trov;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    trov::SitemapLimits limits;
    limits.maxBytes = 4 << 20; // a packed input may unpack to far more
    limits.maxLocations = 100;
    limits.maxLocationLength = 200;
    const Sitemap plain = readSitemap(bytes, limits);
    if (plain.locations.size() > limits.maxLocations)
        std::abort();
    for (const std::string& location : plain.locations)
        if (location.empty() || location.size() > limits.maxLocationLength)
            std::abort();
    if (bytes.starts_with("\x1f\x8b"))
        return 0; // already packed: read as gzip above
    const Sitemap packed = readSitemap(test::gzip(bytes), limits);
    if (packed.index != plain.index || packed.locations != plain.locations ||
        packed.whole != plain.whole)
        std::abort();
    return 0;
}
