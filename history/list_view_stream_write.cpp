// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/component_stream.h"
#include "common/text.h"
#include "history/list_view_stream.h"

#include <cstdint>

namespace trov {

namespace {

using namespace stream;

std::size_t storedLength(std::string_view s) {
    return text::cutUtf8(s, kStoredTextLimit).size();
}

void writeItemsData(StreamWriter& w, const std::vector<HistoryRecord>& rows) {
    w.u32(static_cast<std::uint32_t>(itemsDataSize(rows)));
    w.u32(static_cast<std::uint32_t>(rows.size()));
    // Image index 0, state and overlay index -1, 13 sub-items, data 0.
    static constexpr char kRowHeader[] =
        "\0\0\0\0\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x0D\0\0\0\0\0\0\0";
    static_assert(kHistorySubItemCount == 0x0D);
    for (const HistoryRecord& row : rows) {
        w.raw(std::string_view(kRowHeader, sizeof kRowHeader - 1));
        if (row.fitsStore()) {
            w.raw(row.stored());
            continue;
        }
        for (std::size_t i = 0; i < kHistoryColumnCount; ++i)
            w.shortText(row[i]);
    }
    w.repeat(rows.size() * kHistorySubItemCount * 2, 0xFF); // sub-item image indexes, -1
}

} // namespace

std::size_t itemsDataSize(const std::vector<HistoryRecord>& rows) {
    std::size_t size = 8;
    for (const HistoryRecord& row : rows) {
        if (row.fitsStore()) {
            size += 21 + (row.stored().size() - kHistoryColumnCount) + 3 * kHistorySubItemCount;
            continue;
        }
        size += 21 + storedLength(row[0]);
        for (std::size_t s = 1; s < kHistoryColumnCount; ++s)
            size += storedLength(row[s]) + 3;
    }
    return size;
}

std::string writeListViewStream(const HistoryList& list) {
    const std::size_t data = list.rows.empty() ? 0 : itemsDataSize(list.rows);
    StreamWriter w(data + 1024);
    w.raw(kSignature);
    w.shortText("TListView");
    w.shortText("tabela");

    w.intProperty("Left", list.geometry.left);
    w.intProperty("Top", list.geometry.top);
    w.intProperty("Width", list.geometry.width);
    w.intProperty("Height", list.geometry.height);
    w.identProperty("Align", "alClient");
    w.identProperty("BevelInner", "bvNone");
    w.identProperty("Color", "clWhite");

    w.shortText("Columns");
    w.byte(kCollection);
    for (const HistoryColumn& column : list.columns) {
        w.byte(kList);
        w.shortText("Caption");
        w.byte(kString);
        w.shortText(column.caption);
        if (column.width != 50) // the column's default width is not stored
            w.intProperty("Width", column.width);
        w.byte(0);
    }
    w.byte(0);

    w.boolProperty("Ctl3D", false);
    w.boolProperty("FlatScrollBars", true);
    w.boolProperty("GridLines", true);
    w.boolProperty("IconOptions.AutoArrange", true);
    if (!list.rows.empty()) {
        w.shortText("Items.Data");
        w.byte(kBinary);
        w.u32(static_cast<std::uint32_t>(data));
        writeItemsData(w, list.rows);
    }
    if (list.multiSelect)
        w.boolProperty("MultiSelect", true);
    w.boolProperty("ReadOnly", true);
    w.boolProperty("RowSelect", true);
    w.boolProperty("ShowWorkAreas", true);
    w.identProperty("SortType", "stData");
    w.intProperty("TabOrder", 1);
    w.identProperty("ViewStyle", "vsReport");
    w.byte(0); // end of the properties
    w.byte(0); // end of the (empty) child list
    return w.take();
}

} // namespace trov
