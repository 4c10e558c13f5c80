// SPDX-License-Identifier: GPL-3.0-or-later
#include "crawler/page_text.h"

namespace trov {

std::string RemoveEnclosed(std::string_view source, char open, char close) {
    // The text right of the scan position is kept reversed, so deleting from an opening
    // mark through the remembered closing position pops from its back. The remembered
    // position is not adjusted after a deletion, so nested marks can take more than their
    // span (x{y{z}w}v gives x): that is how the crawler has always cut them.
    std::string rightReversed;
    rightReversed.reserve(source.size());
    std::size_t remembered = 0; // 1-based position of the last closing mark seen; 0: none
    for (std::size_t i = source.size(); i >= 1; --i) {
        const char c = source[i - 1];
        if (c == close) {
            remembered = i;
            rightReversed.push_back(c);
        } else if (c == open && remembered != 0) {
            // An opening mark with no closing mark to its right removes nothing.
            const std::size_t span = remembered - i; // characters right of the mark
            rightReversed.resize(rightReversed.size() - std::min(span, rightReversed.size()));
        } else {
            rightReversed.push_back(c);
        }
    }
    return {rightReversed.rbegin(), rightReversed.rend()};
}

std::string StripTags(std::string_view source) {
    std::string out;
    out.reserve(source.size());
    bool inTag = false;
    for (std::size_t i = 0; i < source.size(); ++i) {
        const char c = source[i];
        if (c == '\n' || c == '\r')
            continue;
        if (c == '<') {
            inTag = true;
            continue;
        }
        if (c == '>') {
            inTag = false;
            continue;
        }
        if (inTag)
            continue;
        if (c == '\t' || c == ' ') {
            const char next = i + 1 < source.size() ? source[i + 1] : '\0';
            if (next == '\t' || next == '\n' || next == '\r' || next == ' ' || next == '<')
                continue;
        }
        out += c;
    }
    // The text outlives the page by a whole crawl: it keeps no room for the dropped tags.
    out.shrink_to_fit();
    return out;
}

std::string PageTitle(std::string_view source) {
    const std::size_t open = source.find("<title>");
    const std::size_t close = source.find("</title>");
    if (open == std::string_view::npos || close == std::string_view::npos)
        return {};
    const std::size_t from = open + 7;
    if (close < from)
        return {};
    return std::string(source.substr(from, close - from));
}

} // namespace trov
