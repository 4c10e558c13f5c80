// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The links viewer's text as its text area holds it (UTF-16 units with '\n' between lines,
// so every position here is a caret position of the text area): its lines, the status bar
// texts, and the caption it shows until a crawl gives it one.

#include "common/translatable.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace trov::links {

inline constexpr std::string_view kDefaultCaption =
    TROV_TEXT("Core", "Trov - Links from a website");

struct LineSpan {
    std::size_t index = 0; // zero-based line number
    std::size_t start = 0; // position of its first character
    std::size_t length = 0;
};

// The line that holds the caret; a caret past the end counts as at the end.
LineSpan lineAt(std::u16string_view text, std::size_t caret);

// Lines of a list: an empty text has none, and a final line break ends the last line
// rather than starting an empty one.
std::size_t lineCount(std::u16string_view text);

// "Ln 3 : 3" for the caret's line (zero-based index) of all lines, "Col 1 : 24" for the
// caret's offset in its line and the line's length, "Characters: 72" for the whole text.
std::string lineStatus(std::size_t lineIndex, std::size_t lines);
std::string columnStatus(std::size_t offsetInLine, std::size_t lineLength);
std::string sizeStatus(std::size_t characters);

} // namespace trov::links
