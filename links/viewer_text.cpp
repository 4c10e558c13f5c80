// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/viewer_text.h"

#include <algorithm>

namespace trov::links {

LineSpan lineAt(std::u16string_view text, std::size_t caret) {
    caret = std::min(caret, text.size());
    LineSpan span;
    span.index = static_cast<std::size_t>(std::count(text.begin(), text.begin() + caret, u'\n'));
    if (caret > 0) {
        const std::size_t before = text.rfind(u'\n', caret - 1);
        span.start = before == std::u16string_view::npos ? 0 : before + 1;
    }
    const std::size_t end = text.find(u'\n', span.start);
    span.length = (end == std::u16string_view::npos ? text.size() : end) - span.start;
    return span;
}

std::size_t lineCount(std::u16string_view text) {
    if (text.empty())
        return 0;
    const auto breaks = static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\n'));
    return text.back() == u'\n' ? breaks : breaks + 1;
}

std::string lineStatus(std::size_t lineIndex, std::size_t lines) {
    return "Ln " + std::to_string(lineIndex + 1) + " : " + std::to_string(lines);
}

std::string columnStatus(std::size_t offsetInLine, std::size_t lineLength) {
    return "Col " + std::to_string(offsetInLine + 1) + " : " + std::to_string(lineLength);
}

std::string sizeStatus(std::size_t characters) {
    return "Characters: " + std::to_string(characters);
}

} // namespace trov::links
