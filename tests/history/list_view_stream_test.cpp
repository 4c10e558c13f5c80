#include "common/atomic_file.h"
#include "history/history_csv.h"
#include "history/list_view_stream.h"
#include "tests/support/history_rows.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace trov;

namespace {

const std::string kData = TROV_SOURCE_DIR "/tests/history/data/";

std::string data(const std::string& name) {
    return readWholeFile(kData + name).value_or("<missing>");
}

// A search of 14:03:59 whose date, words and type are given.
HistoryRecord row(const std::string& date, const std::string& words, const std::string& type) {
    return test::joinedRow(date + "|14:03:59|" + words +
                           "|- - -|- - -|- - -|- - -|Default|- - -|- - -|- - -|- - -|Google|" +
                           type);
}

HistoryRecord row(std::size_t n) {
    return row(std::string(n, 'd'), std::string(n, 's'), std::string(n, 't'));
}

// rows.cld: several rows, multi-select on, changed geometry and column widths.
HistoryList rowsList(bool asStored) {
    HistoryList list;
    list.multiSelect = true;
    list.geometry = {-5, 127, 1216, 70000};
    const int widths[14] = {50, 128, -1, 32767, 32768, 120, 100, 100, 100, 100, 100, 100, 90, 77};
    for (std::size_t i = 0; i < 14; ++i)
        list.columns[i].width = widths[i];
    for (const std::size_t n : {0u, 1u, 254u, 255u, 256u, 300u})
        list.rows.push_back(row(asStored ? std::min<std::size_t>(n, 255) : n));
    // é across byte 255: the cut never splits a character.
    list.rows.push_back(
        row("05.12.2026", std::string(254, 'a') + (asStored ? "" : "\xC3\xA9tail"), "All"));
    return list;
}

} // namespace

// The golden files are laid out by hand from the store format; see data/README.md.
TEST(ListViewStream, WritesTheStoreByteForByteAndReadsItBack) {
    EXPECT_EQ(writeListViewStream(HistoryList{}), data("empty.cld"));
    HistoryList back;
    back.rows.push_back(row(1)); // a stream without rows leaves rows as they are
    ASSERT_TRUE(readListViewStream(data("empty.cld"), back).ok);
    EXPECT_EQ(back.rows.size(), 1u);

    const HistoryList list = rowsList(false);
    EXPECT_EQ(writeListViewStream(list), data("rows.cld"));
    EXPECT_EQ(itemsDataSize(list.rows), 4182u); // as rows.cld declares it
    EXPECT_EQ(list.rows[5][kColSearch].size(), 300u) << "the list keeps the whole text";
    back = HistoryList{};
    back.columns.clear();
    ASSERT_TRUE(readListViewStream(data("rows.cld"), back).ok);
    EXPECT_EQ(back, rowsList(true));
}

// A stream another writer made: properties in another order, unknown kinds of every tag,
// rows of other sub-item counts, Windows-1252 texts decoded text by text.
TEST(ListViewStreamRead, AForeignStream) {
    HistoryList list;
    ASSERT_TRUE(readListViewStream(data("foreign.cld"), list).ok);
    ASSERT_EQ(list.columns.size(), 2u);
    EXPECT_EQ(list.columns[0], (HistoryColumn{"Only", 50})); // no Width: 50
    EXPECT_EQ(list.columns[1], (HistoryColumn{"Second", 300}));
    EXPECT_TRUE(list.multiSelect); // names compare without case
    EXPECT_EQ(list.geometry, (ListGeometry{1000, -3, 1000, 500}));
    // The rows' texts, Windows-1252 ones decoded to UTF-8, as an export shows them.
    EXPECT_EQ(historyCsv(list.rows), data("foreign.csv"));
}

TEST(ListViewStreamRead, CorruptAndTruncatedStreamsAreRefused) {
    const std::string full = data("rows.cld");
    for (std::size_t k = 0; k < full.size(); ++k) {
        HistoryList list;
        EXPECT_FALSE(readListViewStream(std::string_view(full).substr(0, k), list).ok) << k;
    }
    int files = 0;
    for (const auto& file : std::filesystem::directory_iterator(kData + "corrupt")) {
        HistoryList list;
        const StreamReadResult r =
            readListViewStream(data("corrupt/" + file.path().filename().string()), list);
        EXPECT_FALSE(r.ok) << file.path();
        EXPECT_FALSE(r.reason.empty()) << file.path();
        ++files;
    }
    EXPECT_EQ(files, 19);
    HistoryList list; // a corrupt row keeps the rows read before it
    EXPECT_FALSE(readListViewStream(data("corrupt/second-row-past-the-end.cld"), list).ok);
    EXPECT_TRUE(list.rows.size() == 1 && list.rows[0][0] == "first");
}

// A text may be set from the row itself. Loaded rows share the store's bytes: changing one
// leaves the others, and a copy outlives the list.
TEST(HistoryRecord, ALoadedRowChangesAloneAndOutlivesItsList) {
    HistoryRecord r = row(4);
    r.set(kColSearch, r[kColType]);
    r.set(kColType, r[kColType].substr(0, 2));
    EXPECT_TRUE(r[kColSearch] == "tttt" && r[kColType] == "tt");
    HistoryRecord copy;
    {
        HistoryList list;
        ASSERT_TRUE(
            readListViewStream(std::make_shared<const std::string>(data("rows.cld")), list).ok);
        copy = list.rows[1];
        list.rows[1].set(kColSearch, "changed");
        EXPECT_EQ(test::wordsOf(list).at(2), std::string(254, 's'));
        EXPECT_TRUE(list.rows[0][kColSearch].empty() && list.rows[1][kColSearch] == "changed");
    }
    EXPECT_EQ(copy[kColSearch], "s");
}
