// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Turns a fetched body into UTF-8 text as a whole, so a character split across reads
// survives: UTF-8 stays; other bytes are read by the charset the page declares (in its
// Content-Type header or a meta tag) when that converts without loss, else as
// Windows-1252, which renders every byte.

#include <string>
#include <string_view>

namespace trov {

std::string decodeBody(std::string_view bytes, std::string_view contentType);

// The charset named by a Content-Type value or the page's meta tags, lower-cased; empty
// when none is declared.
std::string declaredCharset(std::string_view bytes, std::string_view contentType);

} // namespace trov
