// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Turns a fetched body into UTF-8 text as a whole, so a character split across reads
// survives: UTF-8 stays; other bytes are read by the charset the page declares (in its
// Content-Type header or a meta tag) when that converts without loss, else as
// Windows-1252, which renders every byte. UTF-8 is handed back as it came, without a copy;
// a conversion grows its text piece by piece, so decoding never holds much more than the
// body and its text. A Cancel cuts the decoding short; the crawl throws the page away.

#include <atomic>
#include <string>
#include <string_view>

namespace trov {

std::string decodeBody(std::string bytes, std::string_view contentType,
                       const std::atomic<bool>* cancel = nullptr);

// The charset named by a Content-Type value or the page's meta tags, lower-cased; empty
// when none is declared.
std::string declaredCharset(std::string_view bytes, std::string_view contentType);

// Whether a Content-Type names a body that is no text: images, audio, video, fonts,
// archives and octet streams. Such a body is not downloaded; its page has no content.
bool isNonTextType(std::string_view contentType);

} // namespace trov
