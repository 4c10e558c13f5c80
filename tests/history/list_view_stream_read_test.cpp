#include "history/list_view_stream.h"
#include "tests/history/stream_bytes.h"

#include <gtest/gtest.h>

using namespace trov;
using trov::test::Bytes;

namespace {

// One row of 14 texts in the rows block, without the trailing image indexes.
void row(Bytes& b, const std::string& caption, int subItems = 13) {
    b.u32(0).u32(0xFFFFFFFF).u32(0xFFFFFFFF).u32(std::uint32_t(subItems)).u32(0).str(caption);
    for (int s = 0; s < subItems; ++s)
        b.str(caption + "." + std::to_string(s + 1));
}

std::string itemsData(const std::vector<std::string>& captions) {
    Bytes rows;
    for (const auto& c : captions)
        row(rows, c);
    for (std::size_t i = 0; i < captions.size() * 13; ++i)
        rows.u16(0xFFFF);
    return Bytes()
        .u32(std::uint32_t(8 + rows.size()))
        .u32(std::uint32_t(captions.size()))
        .raw(rows.bytes())
        .bytes();
}

std::string wrap(const Bytes& properties) {
    return Bytes()
        .raw("TPF0")
        .str("TListView")
        .str("tabela")
        .raw(properties.bytes())
        .u8(0)
        .u8(0)
        .bytes();
}

HistoryList read(const std::string& bytes, bool expectOk = true) {
    HistoryList list;
    const StreamReadResult r = readListViewStream(bytes, list);
    EXPECT_EQ(r.ok, expectOk) << r.reason;
    return list;
}

} // namespace

TEST(ListViewStreamRead, PropertiesInAnotherOrderAndUnknownOnes) {
    Bytes p;
    p.binary("Items.Data", itemsData({"r0", "r1"}));
    p.str("Hint").u8(12).u32(3).raw("abc");                                  // long text
    p.str("Constraints").u8(11).str("a").str("b").str("");                   // set
    p.str("Tag").u8(19).u32(5).u32(0);                                       // 64-bit integer
    p.str("Scale").u8(5).raw(std::string(10, '\x01'));                       // extended
    p.str("Ratio").u8(21).raw(std::string(8, '\x02'));                       // double
    p.str("Wide").u8(18).u32(2).raw(std::string("a\0b\0", 4));               // wide text
    p.str("Nested").u8(1).u8(2).u8(7).u8(1).u8(6).str("x").u8(0).u8(0);      // list in list
    p.str("Groups").u8(14).u8(2).u8(3).u8(1).int8("GroupID", 1).u8(0).u8(0); // indexed item
    p.str("PopupMenu").u8(13);
    p.boolean("multiselect", true); // names compare without case
    p.str("Columns").u8(14);
    p.u8(1).text("Caption", "Only").int8("MaxWidth", 9).u8(0); // no Width: 50
    p.u8(4).u32(1).u8(1).int16("Width", 300).text("Caption", "Second").u8(0);
    p.u8(0);
    p.int16("Left", 1000).int8("Top", -3);
    p.str("Width").u8(6).str("wide"); // a property of an unexpected kind is skipped

    const HistoryList list = read(wrap(p));
    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.rows[1][0], "r1");
    EXPECT_EQ(list.rows[1][13], "r1.13");
    ASSERT_EQ(list.columns.size(), 2u);
    EXPECT_EQ(list.columns[0], (HistoryColumn{"Only", 50}));
    EXPECT_EQ(list.columns[1], (HistoryColumn{"Second", 300}));
    EXPECT_TRUE(list.multiSelect);
    EXPECT_EQ(list.geometry.left, 1000);
    EXPECT_EQ(list.geometry.top, -3);
    EXPECT_EQ(list.geometry.width, HistoryList{}.geometry.width);
}

TEST(ListViewStreamRead, RowsWithOtherSubItemCountsAndNoImageIndexes) {
    Bytes rows;
    row(rows, "short", 2);
    row(rows, "long", 15);
    const std::string data =
        Bytes().u32(std::uint32_t(8 + rows.size())).u32(2).raw(rows.bytes()).bytes();
    const HistoryList list = read(wrap(Bytes().binary("Items.Data", data)));
    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.rows[0][2], "short.2");
    EXPECT_EQ(list.rows[0][3], "");
    EXPECT_EQ(list.rows[1][13], "long.13");
}

// Rows are decoded text by text whenever any byte of the row is above 127, wherever it
// is: in one text, in a length byte, or in a sub-item the list does not keep.
TEST(ListViewStreamRead, EachTextOfARowIsDecodedOnItsOwn) {
    const std::string longAscii(200, 'x'); // its length byte is above 127
    struct Case {
        const char* name;
        std::size_t at; // the text that differs; 14 is a sub-item past the list's columns
        std::string stored;
        std::string kept;
    };
    const Case cases[] = {
        {"Windows caption", 0, "caf\xE9", "caf\xC3\xA9"},
        {"Windows middle text", 7, "na\xEFve", "na\xC3\xAFve"},
        {"Windows last text", 13, "\x80", "\xE2\x82\xAC"},
        {"UTF-8 text kept", 2, "\xC3\xA9t\xC3\xA9", "\xC3\xA9t\xC3\xA9"},
        {"long ASCII text", 5, longAscii, longAscii},
        {"Windows text past the columns", 14, "\xE9", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes rows;
        rows.u32(0).u32(0xFFFFFFFF).u32(0xFFFFFFFF).u32(14).u32(0);
        for (std::size_t i = 0; i < 15; ++i)
            rows.str(i == c.at ? c.stored : "t" + std::to_string(i));
        const std::string data =
            Bytes().u32(std::uint32_t(8 + rows.size())).u32(1).raw(rows.bytes()).bytes();
        const HistoryList list = read(wrap(Bytes().binary("Items.Data", data)));
        ASSERT_EQ(list.rows.size(), 1u);
        for (std::size_t i = 0; i < 14; ++i)
            EXPECT_EQ(list.rows[0][i], i == c.at ? c.kept : "t" + std::to_string(i)) << i;
    }
}

TEST(ListViewStreamRead, EveryTruncationIsRefused) {
    HistoryList source;
    HistoryRecord r;
    for (std::size_t i = 0; i < 14; ++i)
        r.set(i, "t" + std::to_string(i));
    source.rows = {r, r};
    source.multiSelect = true;
    const std::string full = writeListViewStream(source);
    ASSERT_TRUE(read(full).rows.size() == 2);
    for (std::size_t k = 0; k < full.size(); ++k) {
        HistoryList list;
        EXPECT_FALSE(readListViewStream(std::string_view(full).substr(0, k), list).ok) << k;
    }
}

TEST(ListViewStreamRead, CorruptForms) {
    const std::string good = wrap(Bytes().binary("Items.Data", itemsData({"a", "b"})));
    struct Case {
        const char* name;
        std::string bytes;
    };
    std::string wrongSignature = good;
    wrongSignature[3] = '1';
    std::string binaryPastEnd = good;
    {
        const std::size_t at = good.find("Items.Data") + 10 + 1;
        binaryPastEnd[at + 2] = '\x7F'; // the block length now claims far more bytes
    }
    const auto withData = [](const std::string& data) {
        return wrap(Bytes().binary("Items.Data", data));
    };
    Bytes oneRow;
    row(oneRow, "a");
    const std::string rowBytes = oneRow.bytes();
    const std::uint32_t rowsSize = std::uint32_t(8 + rowBytes.size());
    Bytes hugeSubItems;
    hugeSubItems.u32(0).u32(0).u32(0).u32(0x7FFFFFFF).u32(0).str("a");
    std::string deep = std::string("TPF0\x09TListView\x06tabela\x04") + "Deep\x01";
    deep += std::string(100000, '\x01');

    const std::vector<Case> cases = {
        {"empty", ""},
        {"signature only", "TPF0"},
        {"wrong signature", wrongSignature},
        {"not a stream at all", std::string(64, 'x')},
        {"name past the end", "TPF0\xF0"},
        {"binary length past the end", binaryPastEnd},
        {"row count 2^31", withData(Bytes().u32(rowsSize).u32(0x80000000).raw(rowBytes).bytes())},
        {"row count 2^31-1", withData(Bytes().u32(rowsSize).u32(0x7FFFFFFF).raw(rowBytes).bytes())},
        {"size field larger than the block",
         withData(Bytes().u32(rowsSize + 1000).u32(1).raw(rowBytes).bytes())},
        {"size field cutting into a row",
         withData(Bytes().u32(rowsSize - 5).u32(1).raw(rowBytes).bytes())},
        {"size field below its header", withData(Bytes().u32(4).u32(0).bytes())},
        {"two rows promised, one given",
         withData(Bytes().u32(rowsSize).u32(2).raw(rowBytes).bytes())},
        {"sub-item count past the block", withData(Bytes()
                                                       .u32(std::uint32_t(8 + hugeSubItems.size()))
                                                       .u32(1)
                                                       .raw(hugeSubItems.bytes())
                                                       .bytes())},
        {"unknown value tag", wrap(Bytes().str("Odd").u8(99))},
        {"collection item that is no list", wrap(Bytes().str("Columns").u8(14).u8(6).u8(0))},
        {"wide text past the end", wrap(Bytes().str("W").u8(18).u32(0x7FFFFFFF))},
        {"lists nested without end", deep},
        {"missing end of the child list",
         Bytes().raw("TPF0").str("TListView").str("tabela").u8(0).bytes()},
    };
    for (const Case& c : cases) {
        HistoryList list;
        const StreamReadResult r = readListViewStream(c.bytes, list);
        EXPECT_FALSE(r.ok) << c.name;
        EXPECT_FALSE(r.reason.empty()) << c.name;
    }
}

TEST(ListViewStreamRead, ACorruptRowKeepsTheRowsReadBeforeIt) {
    Bytes rows;
    row(rows, "first");
    rows.u32(0).u32(0).u32(0).u32(13).u32(0).str("second").u8(200); // runs past the end
    const std::string data =
        Bytes().u32(std::uint32_t(8 + rows.size())).u32(2).raw(rows.bytes()).bytes();
    HistoryList list;
    EXPECT_FALSE(readListViewStream(wrap(Bytes().binary("Items.Data", data)), list).ok);
    ASSERT_EQ(list.rows.size(), 1u);
    EXPECT_EQ(list.rows[0][0], "first");
}
