// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Find in the links viewer. Positions are caret positions of the text area (see
// viewer_text.h); letters compare without case by ASCII only.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace trov::links {

struct FindOptions {
    bool down = true;
    bool matchCase = false;
    bool wholeWord = false;
};

// "Find Next" of the find dialog: the start of the next match, stepping one character at
// a time from the character after the caret (down) or before it (up). caret is where the
// selection starts. Searching down never tries the caret's own character, so from the top
// the very first character is not a candidate; the dialog has always behaved so.
// An empty find text matches nothing.
std::optional<std::size_t> findNext(std::u16string_view text, std::size_t caret,
                                    std::u16string_view needle, const FindOptions& options);

// The hidden F3 entry: the first exact occurrence in the whole text, whatever the caret.
std::optional<std::size_t> findFirst(std::u16string_view text, std::u16string_view needle);

// Cannot find "word " (the blank before the closing quote is the dialog's own).
std::u16string cannotFindNextMessage(std::u16string_view needle);
// Cannot find word
std::u16string cannotFindFirstMessage(std::u16string_view needle);

} // namespace trov::links
