// SPDX-License-Identifier: GPL-3.0-or-later
#include "crawler/page_text.h"

#include "crawler/cancel_check.h"

namespace trov {

std::string RemoveEnclosed(std::string s, char open, char close, const std::atomic<bool>* cancel) {
    // Scanned from the end; the kept text right of the scan position is s[kept..], so
    // deleting from an opening mark through the remembered closing position drops the
    // first characters of it. The remembered position is not adjusted after a deletion,
    // so nested marks can take more than their span (x{y{z}w}v gives x): that is how the
    // crawler has always cut them. The kept part never overtakes the scan, so it is built
    // in the source's own bytes.
    CancelCheck check(cancel);
    std::size_t kept = s.size();
    std::size_t remembered = 0; // 1-based position of the last closing mark seen; 0: none
    for (std::size_t i = s.size(); i >= 1; --i) {
        if (check.stop(s.size() - i))
            break;
        const char c = s[i - 1];
        if (c == open && c != close && remembered != 0) {
            // An opening mark with no closing mark to its right removes nothing.
            kept = std::min(kept + (remembered - i), s.size());
        } else {
            if (c == close)
                remembered = i;
            s[--kept] = c;
        }
    }
    s.erase(0, kept);
    return s;
}

std::string StripTags(std::string s, const std::atomic<bool>* cancel) {
    // The text is never longer than the source, so it is written over the source's start.
    CancelCheck check(cancel);
    std::size_t out = 0;
    bool inTag = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (check.stop(i))
            break;
        const char c = s[i];
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
            const char next = i + 1 < s.size() ? s[i + 1] : '\0';
            if (next == '\t' || next == '\n' || next == '\r' || next == ' ' || next == '<')
                continue;
        }
        s[out++] = c;
    }
    s.resize(out);
    return s;
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
