#include "history/list_view_stream.h"
#include "tests/history/stream_bytes.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace trov;
using trov::test::Bytes;

namespace {

const char* const kCaptions[14] = {
    "Date",    "Time",      "Search", "Exact",    "Exclude",     "Site or Domain", "File type",
    "Browser", "Interface", "Contry", "Language", "Time period", "Search engine",  "Type"};
const int kWidths[14] = {75, 75, 210, 80, 80, 120, 100, 100, 100, 100, 100, 100, 90, 50};

struct Expected {
    ListGeometry geometry{0, 0, 1000, 500};
    int columnWidths[14];
    std::string itemsData; // empty: no rows
    bool multiSelect = false;

    Expected() { std::copy(std::begin(kWidths), std::end(kWidths), columnWidths); }
};

void intProperty(Bytes& b, std::string_view name, int v) {
    if (v >= -128 && v <= 127)
        b.int8(name, v);
    else if (v >= -32768 && v <= 32767)
        b.int16(name, v);
    else
        b.int32(name, v);
}

// The whole stream, laid out as the store format describes it.
std::string expectedStream(const Expected& e) {
    Bytes b;
    b.raw("TPF0").str("TListView").str("tabela");
    intProperty(b, "Left", e.geometry.left);
    intProperty(b, "Top", e.geometry.top);
    intProperty(b, "Width", e.geometry.width);
    intProperty(b, "Height", e.geometry.height);
    b.ident("Align", "alClient").ident("BevelInner", "bvNone").ident("Color", "clWhite");
    b.str("Columns").u8(14);
    for (int i = 0; i < 14; ++i) {
        b.u8(1).text("Caption", kCaptions[i]);
        if (e.columnWidths[i] != 50)
            intProperty(b, "Width", e.columnWidths[i]);
        b.u8(0);
    }
    b.u8(0);
    b.boolean("Ctl3D", false).boolean("FlatScrollBars", true).boolean("GridLines", true);
    b.boolean("IconOptions.AutoArrange", true);
    if (!e.itemsData.empty())
        b.binary("Items.Data", e.itemsData);
    if (e.multiSelect)
        b.boolean("MultiSelect", true);
    b.boolean("ReadOnly", true).boolean("RowSelect", true).boolean("ShowWorkAreas", true);
    b.ident("SortType", "stData").int8("TabOrder", 1).ident("ViewStyle", "vsReport");
    b.u8(0).u8(0);
    return b.bytes();
}

// Items.Data for rows of 14 stored texts.
std::string expectedItems(const std::vector<std::array<std::string, 14>>& rows) {
    std::uint32_t size = 8;
    for (const auto& r : rows) {
        size += 21 + std::uint32_t(r[0].size());
        for (int s = 1; s < 14; ++s)
            size += std::uint32_t(r[std::size_t(s)].size()) + 3;
    }
    Bytes b;
    b.u32(size).u32(std::uint32_t(rows.size()));
    for (const auto& r : rows) {
        b.u32(0).u32(0xFFFFFFFF).u32(0xFFFFFFFF).u32(13).u32(0);
        for (const auto& t : r)
            b.str(t);
    }
    for (std::size_t i = 0; i < rows.size() * 13; ++i)
        b.u16(0xFFFF);
    EXPECT_EQ(b.size(), size);
    return b.bytes();
}

HistoryRecord record(const std::array<std::string, 14>& texts) {
    HistoryRecord::Texts views;
    std::copy(texts.begin(), texts.end(), views.begin());
    return HistoryRecord(views);
}

const std::array<std::string, 14> kRow = {"05.12.2026", "14:03:59", "cats",    "- - -", "- - -",
                                          "- - -",      "- - -",    "Default", "- - -", "- - -",
                                          "- - -",      "- - -",    "Google",  "All"};

} // namespace

TEST(ListViewStream, EmptyListHasNoItemsData) {
    const HistoryList list;
    EXPECT_EQ(writeListViewStream(list), expectedStream(Expected{}));
    HistoryList back;
    back.rows.push_back(record(kRow)); // a stream without rows leaves rows as they are
    ASSERT_TRUE(readListViewStream(writeListViewStream(list), back).ok);
    EXPECT_EQ(back.rows.size(), 1u);
}

TEST(ListViewStream, TextLengthsAroundTheLimit) {
    for (const std::size_t n : {0u, 1u, 254u, 255u, 256u, 300u}) {
        SCOPED_TRACE(n);
        std::array<std::string, 14> texts = kRow;
        texts[0] = std::string(n, 'd');
        texts[2] = std::string(n, 's');
        texts[13] = std::string(n, 't');
        HistoryList list;
        list.rows.push_back(record(texts));

        std::array<std::string, 14> stored = texts;
        for (auto& t : stored)
            t = t.substr(0, 255);
        Expected e;
        e.itemsData = expectedItems({stored});
        EXPECT_EQ(writeListViewStream(list), expectedStream(e));
        EXPECT_EQ(list.rows[0][2].size(), n) << "the list keeps the whole text";

        HistoryList back;
        ASSERT_TRUE(readListViewStream(writeListViewStream(list), back).ok);
        EXPECT_EQ(back.rows.at(0), record(stored));
    }
}

TEST(ListViewStream, CutNeverSplitsAUtf8Character) {
    std::array<std::string, 14> texts = kRow;
    texts[2] = std::string(254, 'a') + "\xC3\xA9" + "tail"; // é across byte 255
    HistoryList list;
    list.rows.push_back(record(texts));
    HistoryList back;
    ASSERT_TRUE(readListViewStream(writeListViewStream(list), back).ok);
    EXPECT_EQ(back.rows[0][2], std::string(254, 'a'));
}

TEST(ListViewStream, MultiSelectOnAndSeveralRows) {
    HistoryList list;
    list.multiSelect = true;
    std::array<std::string, 14> second = kRow;
    second[2] = "dogs, \"quoted\"";
    list.rows = {record(kRow), record(second)};
    Expected e;
    e.multiSelect = true;
    e.itemsData = expectedItems({kRow, second});
    EXPECT_EQ(writeListViewStream(list), expectedStream(e));
    EXPECT_EQ(itemsDataSize(list.rows), e.itemsData.size());
    HistoryList back;
    ASSERT_TRUE(readListViewStream(writeListViewStream(list), back).ok);
    EXPECT_EQ(back, list);
}

TEST(ListViewStream, ChangedColumnWidthsAndGeometryUseTheSmallestTag) {
    HistoryList list;
    list.geometry = {-5, 127, 1216, 70000};
    const int widths[14] = {50, 128, -1, 32767, 32768, 120, 100, 100, 100, 100, 100, 100, 90, 77};
    Expected e;
    e.geometry = list.geometry;
    for (int i = 0; i < 14; ++i) {
        list.columns[std::size_t(i)].width = widths[i];
        e.columnWidths[i] = widths[i];
    }
    EXPECT_EQ(writeListViewStream(list), expectedStream(e));
    HistoryList back;
    back.columns.clear();
    ASSERT_TRUE(readListViewStream(writeListViewStream(list), back).ok);
    EXPECT_EQ(back.columns, list.columns);
    EXPECT_EQ(back.geometry, list.geometry);
}
