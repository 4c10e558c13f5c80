// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The history list (the history window's `tabela`) as its store holds it: geometry,
// columns, rows newest first, and whether several rows may be selected.

#include "history/history_record.h"

#include <vector>

namespace trov {

struct ListGeometry {
    int left = 0;
    int top = 0;
    int width = 1000;
    int height = 500;
    bool operator==(const ListGeometry&) const = default;
};

struct HistoryList {
    ListGeometry geometry;
    std::vector<HistoryColumn> columns = defaultHistoryColumns();
    std::vector<HistoryRecord> rows; // row 0 is the newest
    bool multiSelect = false;

    bool operator==(const HistoryList&) const = default;
};

} // namespace trov
