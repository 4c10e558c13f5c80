#include "history/history_go_port.h"
#include "history/history_store.h"
#include "tests/support/messages.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace trov;

namespace {

struct FixedClock : HistoryClock {
    std::string dateText() const override { return "d"; }
    std::string timeText() const override { return "t"; }
};

SearchSnapshot searchFor(std::string words) {
    SearchSnapshot s;
    s.words = std::move(words);
    return s;
}

std::vector<std::string> storedWords(const std::string& path) {
    HistoryList stored;
    EXPECT_TRUE(readHistoryFile(path, stored));
    std::vector<std::string> words;
    for (const auto& row : stored.rows)
        words.emplace_back(row[2]);
    return words;
}

ino_t inodeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

struct Rig {
    test::TempDir dir;
    test::RecordingMessages messages;
    FixedClock clock;
    HistoryStore store{DataFolder(dir.path())};
    HistoryGoPort port{store, clock, messages};
};

} // namespace

// Searches come faster than the store is written: the writes in between are skipped, and
// the last one holds every search, newest first.
TEST(HistoryWrites, ABurstOfSearchesEndsWithEveryOneInTheStore) {
    Rig rig;
    std::vector<std::string> expected;
    for (int i = 0; i < 300; ++i) {
        rig.port.dodajtabelo(searchFor("search " + std::to_string(i)));
        expected.insert(expected.begin(), "search " + std::to_string(i));
    }
    rig.store.waitForWrites();
    EXPECT_EQ(storedWords(rig.store.storePath()), expected);
    EXPECT_TRUE(rig.messages.shown.empty());
}

// The close's write comes after the search's write, which is still going on.
TEST(HistoryWrites, TheCloseWaitsForTheWriteUnderWay) {
    Rig rig;
    for (int i = 0; i < 20000; ++i) // a long write
        rig.store.list().rows.emplace_back(HistoryRecord::Texts{"old " + std::to_string(i)});
    rig.port.dodajtabelo(searchFor("searched"));
    rig.store.addNewest(HistoryRecord(HistoryRecord::Texts{"opened"}));
    ASSERT_TRUE(rig.store.ShraniTabelo());
    const ino_t written = inodeOf(rig.store.storePath());
    rig.store.waitForWrites();
    EXPECT_EQ(inodeOf(rig.store.storePath()), written) << "nothing was written after the close";
    HistoryList stored;
    ASSERT_TRUE(readHistoryFile(rig.store.storePath(), stored));
    EXPECT_EQ(stored.rows, rig.store.list().rows);
}

TEST(HistoryWrites, ARefusedWriteIsReportedAtTheNextSearchAndTheRecordsKept) {
    test::TempDir dir;
    test::RecordingMessages messages;
    FixedClock clock;
    HistoryStore store(DataFolder(dir.file("missing/")));
    HistoryGoPort port(store, clock, messages);
    port.dodajtabelo(searchFor("first"));
    store.waitForWrites();
    port.dodajtabelo(searchFor("second"));
    EXPECT_EQ(store.list().rows.size(), 2u);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Unable to write to " + dir.file("missing/HistGrid.cld"));
}
