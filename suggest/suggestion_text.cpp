// SPDX-License-Identifier: GPL-3.0-or-later
#include "suggest/suggestion_text.h"

#include "common/text.h"

#include <unordered_set>

namespace trov {

namespace {

bool isControlOrBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

} // namespace

std::vector<std::string> parseSuggestionText(std::string_view s) {
    if (const std::size_t nul = s.find('\0'); nul != std::string_view::npos)
        s = s.substr(0, nul);
    std::vector<std::string> entries;
    const std::size_t n = s.size();
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < n && text::isTrimmable(s[i]))
            ++i;
    };
    skipBlanks();
    while (i < n) {
        std::string entry;
        if (s[i] == '|') {
            ++i;
            bool closed = false;
            while (i < n) {
                if (s[i] == '|') {
                    if (i + 1 < n && s[i + 1] == '|') {
                        entry += '|';
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                entry += s[i++];
            }
            if (!closed && !entry.empty())
                entry.pop_back(); // the program's reading of an unclosed entry
        } else {
            const std::size_t start = i;
            while (i < n && !isControlOrBlank(s[i]) && s[i] != ';')
                ++i;
            entry.assign(s.substr(start, i - start));
        }
        entries.push_back(std::move(entry));
        skipBlanks();
        if (i < n && s[i] == ';') {
            if (i + 1 == n)
                entries.emplace_back();
            ++i;
            skipBlanks();
        }
    }
    return entries;
}

std::string quoteSuggestion(std::string_view entry) {
    return text::replaced(entry, "|", "||");
}

std::string joinSuggestionText(const std::vector<std::string>& entries) {
    std::string out;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        out += i == 0 ? "|" : "|;|";
        out += quoteSuggestion(entries[i]);
    }
    return out;
}

void deduplicateSuggestions(std::vector<std::string>& entries) {
    if (entries.size() < 2)
        return;
    // An entry goes when its lower-cased text is the key of a surviving later entry; each
    // survivor then adds its own trimmed key. The first entry is never a key.
    std::unordered_set<std::string> keys;
    keys.reserve(entries.size());
    std::vector<bool> keep(entries.size(), true);
    for (std::size_t i = entries.size(); i-- > 0;) {
        std::string lower = text::toLower(entries[i]);
        if (keys.count(lower)) {
            keep[i] = false;
            continue;
        }
        if (i == 0)
            break;
        const std::string_view trimmed = text::trim(entries[i]);
        if (trimmed.size() == entries[i].size())
            keys.insert(std::move(lower));
        else
            keys.insert(text::toLower(trimmed));
    }
    std::size_t out = 0;
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (keep[i]) {
            if (out != i)
                entries[out] = std::move(entries[i]);
            ++out;
        }
    entries.resize(out);
}

void blankLineBreaks(std::string& text) {
    for (char& c : text)
        if (c == '\r' || c == '\n')
            c = ' ';
}

} // namespace trov
