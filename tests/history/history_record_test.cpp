#include "history/history_record.h"
#include "history/list_view_stream.h"

#include <gtest/gtest.h>

using namespace trov;

namespace {

HistoryRecord::Texts numbered(std::array<std::string, kHistoryColumnCount>& keep) {
    HistoryRecord::Texts views;
    for (std::size_t i = 0; i < kHistoryColumnCount; ++i) {
        keep[i] = "text " + std::to_string(i);
        views[i] = keep[i];
    }
    return views;
}

// A list of rows as loaded from a store, the rows sharing the store's bytes.
HistoryList loaded(const HistoryList& saved) {
    HistoryList list;
    EXPECT_TRUE(
        readListViewStream(std::make_shared<const std::string>(writeListViewStream(saved)), list)
            .ok);
    return list;
}

} // namespace

TEST(HistoryRecord, SettingATextFromTheRowItself) {
    std::array<std::string, kHistoryColumnCount> keep;
    HistoryRecord r(numbered(keep));
    r.set(2, r[5]);
    r.set(5, r[5].substr(0, 4));
    EXPECT_EQ(r[2], "text 5");
    EXPECT_EQ(r[5], "text");
}

// Loaded rows share the store's bytes: changing one leaves the others, and a copy
// outlives the list.
TEST(HistoryRecord, ALoadedRowChangesAloneAndOutlivesItsList) {
    HistoryList saved;
    for (const char* words : {"first", "second", "third"}) {
        HistoryRecord r;
        r.set(kColSearch, words);
        saved.rows.push_back(r);
    }
    HistoryRecord copy;
    {
        HistoryList list = loaded(saved);
        copy = list.rows[1];
        list.rows[1].set(kColSearch, "changed");
        EXPECT_EQ(list.rows[0][kColSearch], "first");
        EXPECT_EQ(list.rows[1][kColSearch], "changed");
        EXPECT_EQ(list.rows[2][kColSearch], "third");
    }
    EXPECT_EQ(copy[kColSearch], "second");
}
