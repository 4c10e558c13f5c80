// SPDX-License-Identifier: GPL-3.0-or-later
#include "suggest/drop_down.h"

#include "common/text.h"

namespace trov {

std::vector<std::string> filterSuggestions(const std::vector<std::string>& entries,
                                           std::string_view key) {
    std::vector<std::string> rows;
    if (key.empty())
        return rows;
    std::vector<const std::string*> inner;
    for (const std::string& e : entries) {
        const std::size_t at = text::findIgnoreCase(e, key);
        if (at == 0)
            rows.push_back(e);
        else if (at != std::string::npos)
            inner.push_back(&e);
    }
    rows.reserve(rows.size() + inner.size());
    for (const std::string* e : inner)
        rows.push_back(*e);
    return rows;
}

int dropDownHeight(int mainClientHeight, int rows, int currentHeight) {
    if (mainClientHeight < 300)
        return kDropDownRowHeight;
    if (mainClientHeight > 350) {
        const int h = rows * kDropDownRowHeight;
        return h > 150 ? 152 : h;
    }
    return currentHeight;
}

} // namespace trov
