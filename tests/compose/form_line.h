// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A search form written as one line: "ENGINE WORD... FIELD<value>...", the engine as trovctl
// names it, flags, then fields (the text fields as typed, the lists by entry text or label);
// data/addresses.txt shows the fields. The angle brackets show blanks at either end.

#include "compose/code_tables.h"
#include "compose/engines.h"
#include "compose/field_rules.h"
#include "crawler/crawl_mode.h"

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <stdexcept>
#include <string>

namespace trov::test {

// The entry given by its text, else the text read as an index (one outside the list).
template <typename List, typename Text = std::identity>
int indexOf(const List& list, const std::string& given, Text text = {}) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (std::invoke(text, list[i]) == given)
            return static_cast<int>(i);
    return std::stoi(given);
}

inline SearchEngine engineNamed(std::string_view name) {
    for (const EngineInfo& e : kEngines)
        if (e.cliName == name)
            return e.engine;
    throw std::invalid_argument(std::string(name));
}

// The crawl modes as trovctl names them.
inline constexpr std::array<std::string_view, 5> kCrawlModeNames = {"subpages", "site", "all-links",
                                                                    "internal-links", "list"};
inline CrawlMode crawlModeNamed(std::string_view name) {
    return kCrawlModes[static_cast<std::size_t>(std::ranges::find(kCrawlModeNames, name) -
                                                kCrawlModeNames.begin())];
}

// The fields a colouring greys, by name.
inline std::string greyFields(const FieldColours& c) {
    const char* names[] = {"browser",  "interface", "country", "language", "period",
                           "filetype", "exact",     "exclude", "site"};
    std::string out = "grey:";
    for (int f = 0; f < 9; ++f)
        if (c.isGrey(static_cast<ColouredField>(f)))
            out += std::string(" ") + names[f];
    return out;
}

struct FormLine {
    SearchEngine engine;
    std::set<std::string> flags;
    std::map<std::string, std::string> fields = {{"kind", "0"},          {"period", "0"},
                                                 {"interface", "- - -"}, {"country", "- - -"},
                                                 {"language", "- - -"},  {"filetype", "- - -"}};

    explicit FormLine(const std::string& line) {
        engine = engineNamed(line.substr(0, line.find(' ')));
        for (std::size_t at = line.find(' '); at != std::string::npos && at + 1 < line.size();) {
            const std::size_t end = line.find_first_of(" <", at + 1);
            if (end == std::string::npos || line[end] == ' ') {
                flags.insert(line.substr(at + 1, end - at - 1));
                at = end;
                continue;
            }
            const std::size_t close = line.find('>', end);
            fields[line.substr(at + 1, end - at - 1)] = line.substr(end + 1, close - end - 1);
            at = line.find(' ', close);
        }
    }
    int kind() const { return indexOf(engineInfo(engine).kinds, fields.at("kind")); }
    int period() const { return indexOf(kPeriods, fields.at("period")); }
    int list(std::span<const CodeEntry> entries, const std::string& name) const {
        return indexOf(entries, fields.at(name), &CodeEntry::label);
    }
    std::string text(const std::string& name) const {
        return fields.contains(name) ? fields.at(name) : "";
    }
};

} // namespace trov::test
