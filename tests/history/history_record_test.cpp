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

std::vector<std::string> all(const HistoryRecord& r) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < kHistoryColumnCount; ++i)
        out.emplace_back(r[i]);
    return out;
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

TEST(HistoryRecord, AFreshRowHasFourteenEmptyTexts) {
    const HistoryRecord r;
    EXPECT_EQ(all(r), std::vector<std::string>(kHistoryColumnCount));
    EXPECT_TRUE(r.fitsStore());
    EXPECT_EQ(r.stored(), std::string(kHistoryColumnCount, '\0'));
}

TEST(HistoryRecord, SettingOneTextLeavesTheOthers) {
    // Every column, to a shorter, a longer, an empty and a very long text.
    const std::string longest(70000, 'x'); // past what a 16-bit offset holds
    for (std::size_t c = 0; c < kHistoryColumnCount; ++c) {
        for (const std::string& text :
             {std::string("a"), std::string(300, 'b'), std::string(), longest}) {
            std::array<std::string, kHistoryColumnCount> keep;
            HistoryRecord r(numbered(keep));
            r.set(c, text);
            std::vector<std::string> expected(keep.begin(), keep.end());
            expected[c] = text;
            EXPECT_EQ(all(r), expected) << "column " << c << ", " << text.size() << " bytes";
            EXPECT_EQ(r.fitsStore(), text.size() <= 255);
        }
    }
}

TEST(HistoryRecord, SettingATextFromTheRowItself) {
    std::array<std::string, kHistoryColumnCount> keep;
    HistoryRecord r(numbered(keep));
    r.set(2, r[5]);
    r.set(5, r[5].substr(0, 4));
    EXPECT_EQ(r[2], "text 5");
    EXPECT_EQ(r[5], "text");
}

TEST(HistoryRecord, EqualTextsMakeEqualRowsHoweverTheyWereMade) {
    std::array<std::string, kHistoryColumnCount> keep;
    const HistoryRecord built(numbered(keep));
    HistoryRecord setOneByOne;
    for (std::size_t i = 0; i < kHistoryColumnCount; ++i)
        setOneByOne.set(i, keep[i]);
    HistoryList list;
    list.rows = {built};
    const HistoryList back = loaded(list);
    ASSERT_EQ(back.rows.size(), 1u);
    EXPECT_EQ(back.rows[0], built);
    EXPECT_EQ(setOneByOne, built);

    // Texts that run together the same way but split differently are not equal.
    HistoryRecord a;
    a.set(0, std::string(256, 'x')); // its length byte is 0, as an empty text's is
    HistoryRecord b;
    b.set(1, std::string(256, 'x'));
    EXPECT_NE(a, b);
}

TEST(HistoryRecord, ChangingALoadedRowLeavesTheRowsSharingItsBytes) {
    HistoryList saved;
    for (const char* words : {"first", "second", "third"}) {
        HistoryRecord r;
        r.set(kColSearch, words);
        saved.rows.push_back(r);
    }
    HistoryList list = loaded(saved);
    HistoryRecord copy = list.rows[1];
    list.rows[1].set(kColSearch, "changed");
    EXPECT_EQ(list.rows[0][kColSearch], "first");
    EXPECT_EQ(list.rows[1][kColSearch], "changed");
    EXPECT_EQ(list.rows[2][kColSearch], "third");
    EXPECT_EQ(copy[kColSearch], "second");
}

TEST(HistoryRecord, ARowOutlivesTheListItWasLoadedInto) {
    HistoryList saved;
    saved.rows.resize(2);
    saved.rows[1].set(kColSearch, "kept");
    HistoryRecord survivor;
    {
        const HistoryList list = loaded(saved);
        survivor = list.rows[1];
    }
    EXPECT_EQ(survivor[kColSearch], "kept");
}

TEST(HistoryRecord, StoredBytesThatEndInsideTheRowAreRefused) {
    std::string stored;
    for (std::size_t i = 0; i < kHistoryColumnCount; ++i)
        stored += std::string(1, '\x02') + "ab";
    const auto whole = std::make_shared<const std::string>(stored + "tail");
    const std::optional<HistoryRecord> r = HistoryRecord::fromStored(whole, 0);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->stored(), stored);
    EXPECT_EQ((*r)[13], "ab");
    const auto behindAPrefix = std::make_shared<const std::string>("xyz" + stored);
    ASSERT_TRUE(HistoryRecord::fromStored(behindAPrefix, 3).has_value());
    EXPECT_EQ(HistoryRecord::fromStored(behindAPrefix, 3)->stored(), stored);

    for (std::size_t cut = 0; cut < stored.size(); ++cut)
        EXPECT_FALSE(HistoryRecord::fromStored(
            std::make_shared<const std::string>(stored.substr(0, cut)), 0))
            << "cut at " << cut;
    EXPECT_FALSE(HistoryRecord::fromStored(whole, whole->size() + 10));
}
