#include "history/history_store.h"
#include "history/list_view_stream.h"
#include "platform/launcher.h"
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

// At start-up the store is loaded and copied to the backup; a corrupt store falls back
// to the backup with a message, or without one is written as far as it was read.
TEST(HistoryStartUp, TheStoreOrItsBackupIsLoaded) {
    using Bytes = std::optional<std::string>;
    std::string lying = stream({"first", "second"});
    lying[lying.find("Items.Data") + 10 + 1 + 4 + 4] = 3; // three rows promised, two given
    const std::string restored =
        "       Error opening history file.          \r\n\r\n       Reload old data.";
    struct Case {
        Bytes store, backup;
        HistoryLoad load;
        std::vector<std::string> rows;
        Bytes backupAfter;
        bool message;
    };
    using H = HistoryLoad;
    const Bytes none, ab = stream({"a", "b"}), bk = stream({"backup"});
    const Case cases[] = {
        {none, none, H::NoStore, {}, none, false},
        {ab, stream({"old"}), H::Loaded, {"a", "b"}, ab, false},
        {kCorrupt, bk, H::RestoredFromBackup, {"backup"}, bk, true},
        {"XPF0", bk, H::RestoredFromBackup, {"backup"}, bk, true},
        {"", bk, H::RestoredFromBackup, {"backup"}, bk, true},
        {stream({"a"}).substr(0, 100), bk, H::RestoredFromBackup, {"backup"}, bk, true},
        {lying, none, H::BackupMissing, {"first", "second"}, stream({"first", "second"}), false},
        {kCorrupt, "garbage", H::BothUnreadable, {}, "garbage", false}};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        Fixture f;
        if (c.store)
            f.dir.write("HistGrid.cld", *c.store);
        if (c.backup)
            f.dir.write("HistGrid.cld2", *c.backup);
        EXPECT_EQ(f.store.NaloziTabelo(f.messages), c.load) << i;
        EXPECT_EQ(captions(f.store.list()), c.rows) << i;
        EXPECT_EQ(readWholeFile(f.dir.file("HistGrid.cld2")), c.backupAfter) << i;
        EXPECT_EQ(readWholeFile(f.dir.file("HistGrid.cld")), c.store) << i << ": left as it was";
        EXPECT_EQ(f.messages.texts(),
                  c.message ? std::vector{restored} : std::vector<std::string>{})
            << i;
        for (const auto& box : f.messages.shown) {
            EXPECT_EQ(box.icon, MessageIcon::Information);
            EXPECT_TRUE(box.onTop);
        }
    }
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
