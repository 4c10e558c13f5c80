// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/find.h"

#include <algorithm>

namespace trov::links {

namespace {

char16_t upper(char16_t c) {
    return (c >= u'a' && c <= u'z') ? char16_t(c - u'a' + u'A') : c;
}

bool isWordCharacter(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool matchesAt(std::u16string_view text, std::size_t at, std::u16string_view needle,
               const FindOptions& options) {
    if (at + needle.size() > text.size())
        return false;
    for (std::size_t i = 0; i < needle.size(); ++i) {
        const char16_t a = text[at + i];
        const char16_t b = needle[i];
        if (options.matchCase ? a != b : upper(a) != upper(b))
            return false;
    }
    if (!options.wholeWord)
        return true;
    // The end of the text counts as a word boundary on either side.
    const bool startsWord = at == 0 || !isWordCharacter(text[at - 1]);
    const std::size_t after = at + needle.size();
    const bool endsWord = after >= text.size() || !isWordCharacter(text[after]);
    return startsWord && endsWord;
}

} // namespace

std::optional<std::size_t> findNext(std::u16string_view text, std::size_t caret,
                                    std::u16string_view needle, const FindOptions& options) {
    if (needle.empty() || text.empty())
        return std::nullopt;
    const char16_t first = upper(needle.front());
    // p is one-based; it starts at the caret's own character.
    long long p = static_cast<long long>(std::min(caret, text.size())) + 1;
    const long long step = options.down ? 1 : -1;
    const auto size = static_cast<long long>(text.size());
    for (;;) {
        p += step;
        if (p < 1 || p > size)
            return std::nullopt;
        const auto at = static_cast<std::size_t>(p - 1);
        if (upper(text[at]) != first)
            continue;
        if (matchesAt(text, at, needle, options))
            return at;
    }
}

std::optional<std::size_t> findFirst(std::u16string_view text, std::u16string_view needle) {
    if (needle.empty())
        return std::nullopt;
    const std::size_t at = text.find(needle);
    if (at == std::u16string_view::npos)
        return std::nullopt;
    return at;
}

std::u16string cannotFindNextMessage(std::u16string_view needle) {
    return u"Cannot find \"" + std::u16string(needle) + u" \"";
}

std::u16string cannotFindFirstMessage(std::u16string_view needle) {
    return u"Cannot find " + std::u16string(needle);
}

} // namespace trov::links
