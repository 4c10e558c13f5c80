// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Text rules shared by every subsystem. Texts are 8-bit strings holding UTF-8; case
// folding and trimming work byte by byte on ASCII only, so multi-byte characters pass
// through untouched.

#include <string>
#include <string_view>
#include <vector>

namespace trov::text {

constexpr char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}
constexpr char asciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

std::string toLower(std::string_view s);
std::string toUpper(std::string_view s);
bool equalsIgnoreCase(std::string_view a, std::string_view b);
// Position of needle in haystack comparing ASCII letters without case, or npos.
std::size_t findIgnoreCase(std::string_view haystack, std::string_view needle,
                           std::size_t from = 0);
bool containsIgnoreCase(std::string_view haystack, std::string_view needle);
bool startsWithIgnoreCase(std::string_view s, std::string_view prefix);
// Negative, zero or positive like strcmp, with ASCII letters folded to lower case.
int compareIgnoreCase(std::string_view a, std::string_view b);

// Trimming removes characters with codes 1 to 32; a NUL byte is kept.
constexpr bool isTrimmable(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
}
std::string_view trim(std::string_view s);
std::string_view trimLeft(std::string_view s);
std::string_view trimRight(std::string_view s);
// Removes trailing blanks (code 32) only.
std::string_view rightTrimSpaces(std::string_view s);

void replaceAll(std::string& s, std::string_view from, std::string_view to);
std::string replaced(std::string_view s, std::string_view from, std::string_view to);
std::vector<std::string> split(std::string_view s, char separator);

// Encoding of text read from files and pages.
bool isValidUtf8(std::string_view bytes);
std::string windows1252ToUtf8(std::string_view bytes);
// Stored files carried over from Windows: UTF-8 stays, anything else is Windows-1252.
std::string decodeStoredText(std::string_view bytes);
// Longest prefix of at most maxBytes that does not split a UTF-8 sequence.
std::string_view cutUtf8(std::string_view s, std::size_t maxBytes);

} // namespace trov::text
