#include "history/history_go_port.h"
#include "history/history_store.h"
#include "history/list_view_stream.h"
#include "tests/support/messages.h"
#include "tests/support/temp_dir.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace trov;

namespace {

HistoryList listOf(std::initializer_list<const char*> captions) {
    HistoryList list;
    for (const char* c : captions) {
        HistoryRecord r;
        r.set(0, c);
        list.rows.push_back(r);
    }
    return list;
}

std::string stream(std::initializer_list<const char*> captions) {
    return writeListViewStream(listOf(captions));
}

std::vector<std::string> captions(const HistoryList& list) {
    std::vector<std::string> out;
    for (const auto& r : list.rows)
        out.emplace_back(r[0]);
    return out;
}

const std::string kCorrupt = "TPF0\x09TListView"; // ends inside the header

struct Fixture {
    test::TempDir dir;
    test::RecordingMessages messages;
    HistoryStore store{DataFolder(dir.path())};
};

} // namespace

TEST(HistoryStartUp, NoStoreDoesNothing) {
    Fixture f;
    EXPECT_EQ(f.store.NaloziTabelo(f.messages), HistoryLoad::NoStore);
    EXPECT_FALSE(std::filesystem::exists(f.dir.file("HistGrid.cld2")));
    EXPECT_TRUE(f.messages.shown.empty());
}

TEST(HistoryStartUp, LoadedStoreIsCopiedToTheBackup) {
    Fixture f;
    f.dir.write("HistGrid.cld", stream({"a", "b"}));
    f.dir.write("HistGrid.cld2", stream({"old"}));
    EXPECT_EQ(f.store.NaloziTabelo(f.messages), HistoryLoad::Loaded);
    EXPECT_EQ(captions(f.store.list()), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(f.dir.read("HistGrid.cld2"), stream({"a", "b"}));
    EXPECT_TRUE(f.messages.shown.empty());
}

TEST(HistoryStartUp, CorruptStoreFallsBackToTheBackupWithTheMessage) {
    for (const std::string& bad :
         {kCorrupt, std::string("XPF0"), std::string(), stream({"a"}).substr(0, 100)}) {
        Fixture f;
        f.dir.write("HistGrid.cld", bad);
        f.dir.write("HistGrid.cld2", stream({"backup"}));
        EXPECT_EQ(f.store.NaloziTabelo(f.messages), HistoryLoad::RestoredFromBackup);
        EXPECT_EQ(captions(f.store.list()), (std::vector<std::string>{"backup"}));
        ASSERT_EQ(f.messages.shown.size(), 1u);
        EXPECT_EQ(f.messages.shown[0].text,
                  "       Error opening history file.          \r\n\r\n       Reload old data.");
        EXPECT_EQ(f.messages.shown[0].icon, MessageIcon::Information);
        EXPECT_TRUE(f.messages.shown[0].onTop);
        EXPECT_EQ(f.dir.read("HistGrid.cld2"), stream({"backup"}));
        EXPECT_EQ(f.dir.read("HistGrid.cld"), bad) << "the broken store is left for the next save";
    }
}

TEST(HistoryStartUp, CorruptStoreWithoutBackupWritesWhatWasRead) {
    Fixture f;
    std::string lying = stream({"first", "second"});
    lying[lying.find("Items.Data") + 10 + 1 + 4 + 4] = 3; // three rows promised, two given
    f.dir.write("HistGrid.cld", lying);
    EXPECT_EQ(f.store.NaloziTabelo(f.messages), HistoryLoad::BackupMissing);
    EXPECT_EQ(captions(f.store.list()), (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(f.dir.read("HistGrid.cld2"), stream({"first", "second"}));
    EXPECT_TRUE(f.messages.shown.empty());
}

TEST(HistoryStartUp, BothUnreadableWritesNothingAndSaysNothing) {
    Fixture f;
    f.dir.write("HistGrid.cld", kCorrupt);
    f.dir.write("HistGrid.cld2", "garbage");
    EXPECT_EQ(f.store.NaloziTabelo(f.messages), HistoryLoad::BothUnreadable);
    EXPECT_EQ(f.dir.read("HistGrid.cld2"), "garbage");
    EXPECT_TRUE(f.messages.shown.empty());
}

TEST(HistoryFiles, OpenMissingIsIgnoredCorruptKeepsTheList) {
    Fixture f;
    f.store.list() = listOf({"mine"});
    EXPECT_TRUE(f.store.openFile(f.dir.file("absent.gmh")));
    HistoryFileProblem problem;
    EXPECT_FALSE(
        f.store.openFile(f.dir.write("bad.gmh", stream({"x", "y"}).substr(0, 300)), &problem));
    EXPECT_EQ(problem.path, f.dir.file("bad.gmh"));
    EXPECT_EQ(captions(f.store.list()), (std::vector<std::string>{"mine"}));
    ASSERT_TRUE(f.store.openFile(f.dir.write("good.gmh", stream({"x", "y"}))));
    EXPECT_EQ(captions(f.store.list()), (std::vector<std::string>{"x", "y"}));
    EXPECT_FALSE(std::filesystem::exists(f.dir.file("HistGrid.cld")))
        << "opening does not write the store";
    ASSERT_TRUE(f.store.saveFile(f.dir.file("copy.gmh")));
    EXPECT_EQ(f.dir.read("copy.gmh"), stream({"x", "y"}));
}

TEST(HistoryFiles, CsvImportBacksUpFirstAndNamesAMissingFile) {
    Fixture f;
    f.store.list() = listOf({"before"});
    const std::string csv = f.dir.write("in.csv", "one,2\r\ntwo\r\n");
    ASSERT_TRUE(f.store.importCsv(csv, f.messages));
    EXPECT_EQ(captions(f.store.list()), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(f.dir.read("HistGrid.cld2"), stream({"before"}));

    EXPECT_FALSE(f.store.importCsv(f.dir.file("none.csv"), f.messages));
    ASSERT_EQ(f.messages.shown.size(), 1u);
    EXPECT_NE(f.messages.shown[0].text.find(f.dir.file("none.csv")), std::string::npos);
    EXPECT_EQ(captions(f.store.list()), (std::vector<std::string>{"one", "two"}));
}

TEST(HistoryGo, EveryRecordedSearchReachesTheStoreNewestFirst) {
    struct Clock : HistoryClock {
        std::string dateText() const override { return "d"; }
        std::string timeText() const override { return "t"; }
    } clock;
    Fixture f;
    HistoryGoPort port(f.store, clock, f.messages);
    SearchSnapshot s;
    s.words = "cats";
    port.dodajtabelo(s);
    s.words = "dogs";
    port.dodajtabelo(s);
    HistoryList stored;
    ASSERT_TRUE(readHistoryFile(f.dir.file("HistGrid.cld"), stored));
    ASSERT_EQ(stored.rows.size(), 2u);
    EXPECT_EQ(stored.rows[0][2], "dogs");
    EXPECT_EQ(stored.rows[1][2], "cats");
    EXPECT_TRUE(f.messages.shown.empty());
}

TEST(HistoryGo, ARefusedWriteIsReportedAndTheRecordKept) {
    test::TempDir dir;
    test::RecordingMessages messages;
    HistoryStore store(DataFolder(dir.file("missing/")));
    SystemHistoryClock clock;
    HistoryGoPort port(store, clock, messages);
    port.dodajtabelo(SearchSnapshot{});
    EXPECT_EQ(store.list().rows.size(), 1u);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Unable to write to " + dir.file("missing/HistGrid.cld"));
}

// A writer killed at any moment, also between writing its temporary file and renaming it,
// leaves a store that loads: the old one or the new one, never a mix.
TEST(HistoryCrashSafety, KilledWriterLeavesALoadableStore) {
    test::TempDir dir;
    HistoryList a, b;
    for (int i = 0; i < 20000; ++i) {
        HistoryRecord r;
        r.set(0, "a" + std::to_string(i));
        a.rows.push_back(r);
        r.set(0, "b" + std::to_string(i));
        b.rows.push_back(r);
    }
    const std::string path = dir.file("HistGrid.cld");
    ASSERT_TRUE(writeHistoryFile(path, a));
    for (int round = 0; round < 8; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i)
                writeHistoryFile(path, i % 2 ? a : b);
        }
        ::usleep(useconds_t(20000 + round * 7000));
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        HistoryList back;
        ASSERT_TRUE(readHistoryFile(path, back)) << "round " << round;
        EXPECT_TRUE(back.rows == a.rows || back.rows == b.rows);
    }
}
