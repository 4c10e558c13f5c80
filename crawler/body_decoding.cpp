// SPDX-License-Identifier: GPL-3.0-or-later
#include "crawler/body_decoding.h"

#include "common/text.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <iconv.h>

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

bool convertLosslessly(std::string_view bytes, const std::string& charset, std::string& out) {
    iconv_t cd = ::iconv_open("UTF-8", charset.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    out.assign(bytes.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* o = out.data();
    std::size_t outLeft = out.size();
    bool ok = true;
    while (inLeft > 0) {
        if (::iconv(cd, &in, &inLeft, &o, &outLeft) == static_cast<std::size_t>(-1)) {
            ok = false; // an invalid or unconvertible sequence: not lossless
            break;
        }
    }
    ::iconv_close(cd);
    out.resize(out.size() - outLeft);
    return ok && text::isValidUtf8(out);
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

std::string decodeBody(std::string_view bytes, std::string_view contentType) {
    if (text::isValidUtf8(bytes))
        return std::string(bytes);
    const std::string charset = declaredCharset(bytes, contentType);
    // Latin-1 and ASCII labels mean Windows-1252 on the web, which is what the fallback does.
    if (!charset.empty() && charset != "utf-8" && charset != "utf8" && charset != "iso-8859-1" &&
        charset != "latin1" && charset != "us-ascii") {
        std::string out;
        if (convertLosslessly(bytes, charset, out))
            return out;
    }
    return text::windows1252ToUtf8(bytes);
}

} // namespace trov
