// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Bytes packed as a gzip member, as a server sends a .xml.gz sitemap.

#include <cstdlib>
#include <string>
#include <string_view>
#include <zlib.h>

namespace trov::test {

inline std::string gzip(std::string_view bytes) {
    z_stream z{};
    if (deflateInit2(&z, 9, Z_DEFLATED, 15 + 16, 9, Z_DEFAULT_STRATEGY) != Z_OK)
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

} // namespace trov::test
