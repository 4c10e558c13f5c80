// SPDX-License-Identifier: GPL-3.0-or-later
#include "crawler/page_search.h"

#include "common/text.h"
#include "compose/go_ports.h"

namespace trov {

SearchInputs SearchInputs::from(const CrawlInputs& inputs) {
    SearchInputs s;
    s.searchText = text::toLower(text::trim(inputs.words)) + " ";
    s.exactPhrase = text::toLower(inputs.exactPhrase);
    s.excludedWords = text::toLower(inputs.excludedWords);
    return s;
}

std::vector<std::string> searchWords(std::string_view searchText) {
    std::vector<std::string> words;
    std::string word;
    for (char c : searchText) {
        if (c == ' ' || c == ',') {
            if (!word.empty())
                words.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        words.push_back(std::move(word));
    return words;
}

bool IsciGo(std::string_view lowerText, const SearchInputs& search) {
    for (const std::string& w : searchWords(search.searchText))
        if (lowerText.find(w) == std::string_view::npos)
            return false;
    if (!search.exactPhrase.empty() && lowerText.find(search.exactPhrase) == std::string_view::npos)
        return false;
    if (!search.excludedWords.empty() &&
        lowerText.find(search.excludedWords) != std::string_view::npos)
        return false;
    return true;
}

} // namespace trov
