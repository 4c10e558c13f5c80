// SPDX-License-Identifier: GPL-3.0-or-later
// Any sitemap file: reading never faults and stays within its limits, and the same bytes
// packed with gzip read the same as plain.

#include "crawler/sitemap_reader.h"

#include <cstdint>
#include <cstdlib>
#include <zlib.h>

namespace {

std::string gzip(std::string_view bytes) {
    z_stream z{};
    if (deflateInit2(&z, 1, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        std::abort();
    std::string out(deflateBound(&z, bytes.size()), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    z.avail_in = static_cast<uInt>(bytes.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    if (deflate(&z, Z_FINISH) != Z_STREAM_END)
        std::abort();
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

} // namespace

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
    const Sitemap packed = readSitemap(gzip(bytes), limits);
    if (packed.index != plain.index || packed.locations != plain.locations ||
        packed.whole != plain.whole)
        std::abort();
    return 0;
}
