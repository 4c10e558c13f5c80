// SPDX-License-Identifier: GPL-3.0-or-later
#include "crawler/body_decoding.h"

#include "common/text.h"
#include "crawler/cancel_check.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <iconv.h>
#include <optional>

namespace trov {

namespace {

std::string charsetAfter(std::string_view s, std::size_t from) {
    std::size_t i = text::findIgnoreCase(s, "charset", from);
    if (i == std::string_view::npos)
        return {};
    i += 7;
    while (i < s.size() && (s[i] == ' ' || s[i] == '='))
        ++i;
    while (i < s.size() && (s[i] == '"' || s[i] == '\''))
        ++i;
    std::size_t end = i;
    while (end < s.size() && (std::isalnum(static_cast<unsigned char>(s[end])) || s[end] == '-' ||
                              s[end] == '_' || s[end] == ':' || s[end] == '.'))
        ++end;
    return text::toLower(s.substr(i, end - i));
}

// Pieces of this size are converted and checked at a time, so a conversion never needs room
// for the worst case of the whole body, and a Cancel is seen between two pieces.
constexpr std::size_t kPiece = 1 << 20;

// Whether bytes are UTF-8 throughout, checked piece by piece; nullopt when cancelled.
std::optional<bool> validUtf8(std::string_view bytes, CancelCheck& check) {
    for (std::size_t from = 0; from < bytes.size();) {
        if (check.stop(from))
            return std::nullopt;
        // A piece ends before a character it would split, unless that is no character.
        std::string_view piece = text::cutUtf8(bytes.substr(from), kPiece);
        if (piece.empty())
            piece = bytes.substr(from, kPiece);
        if (!text::isValidUtf8(piece))
            return false;
        from += piece.size();
    }
    return true;
}

// The text of bytes in charset, when every byte converts; nullopt otherwise.
std::optional<std::string> convertLosslessly(std::string_view bytes, const std::string& charset,
                                             CancelCheck& check) {
    iconv_t cd = ::iconv_open("UTF-8", charset.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string out;
    out.reserve(bytes.size());
    std::array<char, 64 << 10> buffer;
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    bool ok = true;
    while (ok && inLeft > 0) {
        char* o = buffer.data();
        std::size_t outLeft = buffer.size();
        const bool failed = ::iconv(cd, &in, &inLeft, &o, &outLeft) == static_cast<std::size_t>(-1);
        out.append(buffer.data(), static_cast<std::size_t>(o - buffer.data()));
        // A full buffer is no failure; an invalid or unconvertible sequence is not lossless.
        ok = !(failed && errno != E2BIG) && !check.stop(bytes.size() - inLeft);
    }
    ::iconv_close(cd);
    if (!ok || validUtf8(out, check) != true)
        return std::nullopt;
    return out;
}

std::string windows1252Text(std::string_view bytes, CancelCheck& check) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (std::size_t from = 0; from < bytes.size() && !check.stop(from); from += kPiece)
        out += text::windows1252ToUtf8(bytes.substr(from, kPiece));
    return out;
}

// The type and subtype of a Content-Type value, lower-cased, without its parameters.
std::string mediaType(std::string_view contentType) {
    return text::toLower(text::trim(contentType.substr(0, contentType.find(';'))));
}

} // namespace

std::string declaredCharset(std::string_view bytes, std::string_view contentType) {
    std::string charset = charsetAfter(contentType, 0);
    if (!charset.empty())
        return charset;
    // Meta tags sit in the head; a few kilobytes are enough to find them.
    const std::string_view head = bytes.substr(0, std::min<std::size_t>(bytes.size(), 4096));
    for (std::size_t meta = text::findIgnoreCase(head, "<meta"); meta != std::string_view::npos;
         meta = text::findIgnoreCase(head, "<meta", meta + 5)) {
        const std::size_t end = head.find('>', meta);
        charset = charsetAfter(head.substr(0, end), meta);
        if (!charset.empty())
            return charset;
    }
    return {};
}

std::string decodeBody(std::string bytes, std::string_view contentType,
                       const std::atomic<bool>* cancel) {
    CancelCheck check(cancel);
    const std::optional<bool> utf8 = validUtf8(bytes, check);
    if (!utf8)
        return {};
    if (*utf8)
        return bytes;
    const std::string charset = declaredCharset(bytes, contentType);
    // Latin-1 and ASCII labels mean Windows-1252 on the web, which is what the fallback does.
    if (!charset.empty() && charset != "utf-8" && charset != "utf8" && charset != "iso-8859-1" &&
        charset != "latin1" && charset != "us-ascii") {
        if (std::optional<std::string> out = convertLosslessly(bytes, charset, check))
            return std::move(*out);
    }
    return windows1252Text(bytes, check);
}

bool isNonTextType(std::string_view contentType) {
    const std::string type = mediaType(contentType);
    for (std::string_view kind : {"image/", "audio/", "video/", "font/"})
        if (type.starts_with(kind))
            return true;
    // Archives, compressed files, fonts under their older names and octet streams.
    static constexpr std::string_view kApplication[] = {"application/octet-stream",
                                                        "application/zip",
                                                        "application/gzip",
                                                        "application/x-gzip",
                                                        "application/x-tar",
                                                        "application/x-bzip2",
                                                        "application/x-xz",
                                                        "application/x-7z-compressed",
                                                        "application/x-rar-compressed",
                                                        "application/vnd.rar",
                                                        "application/zstd",
                                                        "application/x-zstd",
                                                        "application/java-archive",
                                                        "application/vnd.ms-fontobject",
                                                        "application/font-woff",
                                                        "application/x-font-ttf",
                                                        "application/x-font-otf",
                                                        "application/x-font-woff"};
    for (std::string_view kind : kApplication)
        if (type == kind)
            return true;
    return false;
}

} // namespace trov
