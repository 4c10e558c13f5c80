// SPDX-License-Identifier: GPL-3.0-or-later
#include "crawler/robots_pattern.h"

#include <vector>

namespace trov {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isUnreserved(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

void escape(std::string& out, unsigned char c) {
    out += '%';
    out += kHex[c >> 4];
    out += kHex[c & 15];
}

std::string compareForm(std::string_view in, bool pattern) {
    std::string out;
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        const auto c = static_cast<unsigned char>(in[i]);
        if (c == '%' && i + 2 < in.size() && hexValue(in[i + 1]) >= 0 && hexValue(in[i + 2]) >= 0) {
            const auto decoded =
                static_cast<unsigned char>(hexValue(in[i + 1]) * 16 + hexValue(in[i + 2]));
            if (isUnreserved(decoded))
                out += static_cast<char>(decoded);
            else
                escape(out, decoded);
            i += 2;
        } else if (pattern && c == '*') {
            if (out.empty() || out.back() != '*')
                out += '*';
        } else if (pattern && c == '$' && i + 1 == in.size()) {
            out += '$';
        } else if (c <= 0x20 || c >= 0x7F || c == '*' || c == '$') {
            escape(out, c);
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

// The first place at or after from where needle starts in text, or npos; Knuth-Morris-Pratt,
// so a pattern built to make a naive search slow stays linear.
std::size_t findFrom(std::string_view text, std::string_view needle, std::size_t from,
                     std::vector<std::size_t>& border) {
    if (needle.empty())
        return from;
    border.assign(needle.size(), 0);
    for (std::size_t i = 1, k = 0; i < needle.size(); ++i) {
        while (k > 0 && needle[i] != needle[k])
            k = border[k - 1];
        if (needle[i] == needle[k])
            ++k;
        border[i] = k;
    }
    for (std::size_t i = from, k = 0; i < text.size(); ++i) {
        while (k > 0 && text[i] != needle[k])
            k = border[k - 1];
        if (text[i] == needle[k])
            ++k;
        if (k == needle.size())
            return i + 1 - k;
    }
    return std::string_view::npos;
}

} // namespace

std::string robotsPathForm(std::string_view pathAndQuery) {
    return compareForm(pathAndQuery, false);
}

std::string robotsPatternForm(std::string_view pattern) {
    return compareForm(pattern, true);
}

bool robotsPatternMatches(std::string_view pattern, std::string_view path) {
    const bool anchored = !pattern.empty() && pattern.back() == '$';
    if (anchored)
        pattern.remove_suffix(1);
    std::size_t star = pattern.find('*');
    if (star == std::string_view::npos)
        return anchored ? path == pattern : path.starts_with(pattern);
    if (!path.starts_with(pattern.substr(0, star)))
        return false;
    // Between stars the leftmost place of each piece is as good as any later one.
    std::size_t at = star;
    std::vector<std::size_t> border;
    for (;;) {
        const std::size_t next = pattern.find('*', star + 1);
        const std::string_view piece = pattern.substr(star + 1, next - star - 1);
        if (next == std::string_view::npos) {
            if (anchored)
                return path.size() - at >= piece.size() && path.ends_with(piece);
            return findFrom(path, piece, at, border) != std::string_view::npos;
        }
        const std::size_t found = findFrom(path, piece, at, border);
        if (found == std::string_view::npos)
            return false;
        at = found + piece.size();
        star = next;
    }
}

} // namespace trov
