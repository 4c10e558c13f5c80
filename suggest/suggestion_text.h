// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The suggestion store's one line (SuggestionText): every entry wrapped in "|", the
// entries joined by ";", the last one without its closing "|".

#include <string>
#include <string_view>
#include <vector>

namespace trov {

// Splits a SuggestionText into entries ("|" quotes, ";" delimits). Kept as the program
// reads it: an unclosed last entry loses its final character, so a stored line whose
// CR LF became two blanks gives the last entry one trailing blank. A NUL ends the text.
std::vector<std::string> parseSuggestionText(std::string_view text);

// One entry as it is stored inside its "|" quotes: a "|" in it is doubled, which the
// parser reads back as one.
std::string quoteSuggestion(std::string_view entry);

// The SuggestionText of the entries in order; no entries give the empty text.
std::string joinSuggestionText(const std::vector<std::string>& entries);

// The de-duplication pass: walking from the last entry to the second, every earlier
// entry whose lower-cased text equals the later one's trimmed lower-cased text goes, so of
// equal entries the last survives. One pass with a set instead of the pairwise scan.
void deduplicateSuggestions(std::vector<std::string>& entries);

// Store text as a line: CR and LF become blanks.
void blankLineBreaks(std::string& text);

} // namespace trov
