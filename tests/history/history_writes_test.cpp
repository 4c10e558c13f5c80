#include "history/history_clock.h"
#include "history/history_go_port.h"
#include "history/history_store.h"
#include "tests/support/history_rows.h"
#include "tests/support/messages.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace trov;

namespace {

ino_t inodeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

struct Rig {
    test::TempDir dir;
    test::RecordingMessages messages;
    SystemHistoryClock clock;
    HistoryStore store{DataFolder(dir.path())};
    HistoryGoPort port{store, clock, messages};
    void search(const std::string& words) {
        SearchSnapshot s;
        s.words = words;
        port.dodajtabelo(s);
    }
};

} // namespace

// Searches come faster than the store is written: the writes in between are skipped, and
// the last one holds every search, newest first.
TEST(HistoryWrites, ABurstOfSearchesEndsWithEveryOneInTheStore) {
    Rig rig;
    std::vector<std::string> expected;
    for (int i = 0; i < 300; ++i) {
        rig.search("search " + std::to_string(i));
        expected.insert(expected.begin(), "search " + std::to_string(i));
    }
    rig.store.waitForWrites();
    EXPECT_EQ(test::storedWords(rig.store.storePath()), expected);
    EXPECT_TRUE(rig.messages.shown.empty());
}

// The close's write comes after the search's write, which is still going on.
TEST(HistoryWrites, TheCloseWaitsForTheWriteUnderWay) {
    Rig rig;
    for (int i = 0; i < 20000; ++i) // a long write
        rig.store.list().rows.emplace_back(HistoryRecord::Texts{"old " + std::to_string(i)});
    rig.search("searched");
    rig.store.addNewest(HistoryRecord(HistoryRecord::Texts{"opened"}));
    ASSERT_TRUE(rig.store.ShraniTabelo());
    const ino_t written = inodeOf(rig.store.storePath());
    rig.store.waitForWrites();
    EXPECT_EQ(inodeOf(rig.store.storePath()), written) << "nothing was written after the close";
    HistoryList stored;
    EXPECT_TRUE(readHistoryFile(rig.store.storePath(), stored) &&
                stored.rows == rig.store.list().rows);
}

TEST(HistoryWrites, ARefusedWriteIsReportedAtTheNextSearchAndTheRecordsKept) {
    Rig rig;
    rig.dir.write("HistGrid.cld/inside", "a folder in the store's place");
    rig.search("first");
    rig.store.waitForWrites();
    rig.search("second");
    EXPECT_EQ(test::wordsOf(rig.store.list()), (std::vector<std::string>{"second", "first"}));
    EXPECT_EQ(rig.messages.texts(),
              std::vector<std::string>{"Unable to write to " + rig.dir.file("HistGrid.cld")});
}
