// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The search a crawl runs over the fetched pages.

#include <string>
#include <string_view>
#include <vector>

namespace trov {

struct CrawlInputs; // compose/go_ports.h

struct SearchInputs {
    std::string searchText;    // the words trimmed, lower-cased, followed by one space
    std::string exactPhrase;   // lower-cased
    std::string excludedWords; // lower-cased

    static SearchInputs from(const CrawlInputs& inputs);
};

// IsciGo: whether a lower-cased page text matches the search.
bool IsciGo(std::string_view lowerText, const SearchInputs& search);

// The words of a search text: runs of characters other than space and comma.
std::vector<std::string> searchWords(std::string_view searchText);

} // namespace trov
