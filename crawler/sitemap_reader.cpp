// SPDX-License-Identifier: GPL-3.0-or-later
#include "crawler/sitemap_reader.h"

#include "common/text.h"

#include <algorithm>
#include <climits>
#include <expat.h>
#include <zlib.h>

namespace trov {

namespace {

// One document's reading: the expat handlers' state.
class Reading {
public:
    explicit Reading(const SitemapLimits& limits)
        : limits_(limits), parser_(XML_ParserCreate(nullptr)) {
        if (!parser_) {
            result_.whole = false;
            return;
        }
        XML_SetUserData(parser_, this);
        XML_SetElementHandler(parser_, onStart, onEnd);
        XML_SetCharacterDataHandler(parser_, onText);
        XML_SetStartDoctypeDeclHandler(parser_, onDoctype);
    }
    ~Reading() {
        if (parser_)
            XML_ParserFree(parser_);
    }
    Reading(const Reading&) = delete;
    Reading& operator=(const Reading&) = delete;

    // Hands unpacked bytes to the parser; false once reading is over.
    bool feed(std::string_view bytes) {
        if (!parser_ || !result_.whole)
            return false;
        const bool cut = bytes.size() > limits_.maxBytes - fed_;
        if (cut)
            bytes = bytes.substr(0, limits_.maxBytes - fed_);
        fed_ += bytes.size();
        for (std::size_t at = 0; at < bytes.size() && result_.whole; at += kPiece) {
            const std::string_view piece = bytes.substr(at, kPiece);
            if (XML_Parse(parser_, piece.data(), static_cast<int>(piece.size()), XML_FALSE) ==
                XML_STATUS_ERROR)
                result_.whole = false;
        }
        if (cut)
            result_.whole = false;
        return result_.whole;
    }
    Sitemap finish() {
        if (result_.whole && XML_Parse(parser_, "", 0, XML_TRUE) == XML_STATUS_ERROR)
            result_.whole = false;
        return std::move(result_);
    }
    void fail() { result_.whole = false; }

private:
    static constexpr std::size_t kPiece = 1 << 20;

    void stop() {
        result_.whole = false;
        XML_StopParser(parser_, XML_FALSE);
    }

    static std::string_view localName(const XML_Char* name) {
        const std::string_view n(name);
        const std::size_t colon = n.rfind(':');
        return colon == std::string_view::npos ? n : n.substr(colon + 1);
    }

    static void XMLCALL onStart(void* user, const XML_Char* name, const XML_Char**) {
        auto& r = *static_cast<Reading*>(user);
        const std::string_view local = localName(name);
        ++r.depth_;
        if (r.depth_ == 1 && local == "sitemapindex")
            r.result_.index = true;
        else if (r.depth_ == 1 && local != "urlset")
            r.stop(); // not a sitemap
        else if (r.depth_ == 2)
            r.inEntry_ = local == (r.result_.index ? "sitemap" : "url");
        else if (r.depth_ == 3 && r.inEntry_ && local == "loc") {
            r.inLocation_ = true;
            r.tooLong_ = false;
            r.location_.clear();
        }
    }

    static void XMLCALL onEnd(void* user, const XML_Char*) {
        auto& r = *static_cast<Reading*>(user);
        if (r.depth_ == 3 && r.inLocation_) {
            r.inLocation_ = false;
            const std::string_view location = text::trim(r.location_);
            if (!r.tooLong_ && !location.empty()) {
                if (r.result_.locations.size() >= r.limits_.maxLocations)
                    r.stop();
                else
                    r.result_.locations.emplace_back(location);
            }
        }
        if (r.depth_ == 2)
            r.inEntry_ = false;
        --r.depth_;
    }

    static void XMLCALL onText(void* user, const XML_Char* s, int length) {
        auto& r = *static_cast<Reading*>(user);
        if (!r.inLocation_ || r.depth_ != 3)
            return;
        if (r.location_.size() + static_cast<std::size_t>(length) > r.limits_.maxLocationLength)
            r.tooLong_ = true;
        else
            r.location_.append(s, static_cast<std::size_t>(length));
    }

    static void XMLCALL onDoctype(void* user, const XML_Char*, const XML_Char*, const XML_Char*,
                                  int) {
        static_cast<Reading*>(user)->stop();
    }

    const SitemapLimits& limits_;
    XML_Parser parser_;
    Sitemap result_;
    std::size_t fed_ = 0;
    int depth_ = 0;
    bool inEntry_ = false;    // inside <url> or <sitemap> under the root
    bool inLocation_ = false; // inside its <loc>
    bool tooLong_ = false;
    std::string location_;
};

bool isGzip(std::string_view bytes) {
    return bytes.size() >= 2 && bytes[0] == '\x1f' && bytes[1] == '\x8b';
}

// Unpacks gzip members one after another into the reading, as far as it takes them.
void unpackInto(std::string_view packed, Reading& reading) {
    z_stream z{};
    if (inflateInit2(&z, 15 + 16) != Z_OK) {
        reading.fail();
        return;
    }
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    z.avail_in = static_cast<uInt>(std::min<std::size_t>(packed.size(), UINT_MAX));
    static constexpr std::size_t kChunk = 64 * 1024;
    std::string out(kChunk, '\0');
    for (;;) {
        z.next_out = reinterpret_cast<Bytef*>(out.data());
        z.avail_out = static_cast<uInt>(kChunk);
        const int code = inflate(&z, Z_NO_FLUSH);
        const std::size_t made = kChunk - z.avail_out;
        if (made > 0 && !reading.feed(std::string_view(out).substr(0, made)))
            break;
        if (code == Z_STREAM_END) {
            const std::string_view rest(reinterpret_cast<const char*>(z.next_in), z.avail_in);
            if (!isGzip(rest) || inflateReset(&z) != Z_OK)
                break; // anything after the last member is not the sitemap's
            continue;
        }
        if (code != Z_OK) {
            reading.fail(); // cut short or damaged
            break;
        }
    }
    inflateEnd(&z);
}

} // namespace

Sitemap readSitemap(std::string_view bytes, const SitemapLimits& limits) {
    Reading reading(limits);
    if (isGzip(bytes))
        unpackInto(bytes, reading);
    else
        reading.feed(bytes);
    return reading.finish();
}

} // namespace trov
