// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/history_clock.h"
#include "history/history_go_port.h"
#include "history/history_store.h"
#include "tests/support/history_rows.h"
#include "tests/support/messages.h"
#include "tests/support/temp_dir.h"

#include <ctime>
#include <gtest/gtest.h>
#include <iomanip>
#include <locale>
#include <sstream>
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

// A search of 5 December 2026 at 10:minute, its date and time as the clock writes them.
HistoryRecord searchAt(const std::string& words, int minute) {
    std::tm t{};
    t.tm_min = minute;
    t.tm_hour = 10;
    t.tm_mday = 5;
    t.tm_mon = 11;
    t.tm_year = 126;
    std::ostringstream out;
    try {
        out.imbue(std::locale(""));
    } catch (const std::runtime_error&) {
    }
    out << std::put_time(&t, "%x|%X|") << words;
    return test::joinedRow(out.str());
}

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
    ASSERT_TRUE(readHistoryFile(rig.store.storePath(), stored));
    EXPECT_EQ(stored.rows, rig.store.list().rows);
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

// Two programs with the same store loaded: a search ('+'), a delete of the first row ('-')
// or a clear ('c') of one lands on top of what the other wrote, whichever comes first, and
// each program's list then shows the store.
TEST(HistoryWrites, TwoProgramsKeepEachOthersRows) {
    struct Step {
        int program;
        char op;
        const char* words;
        int minute;
    };
    const std::pair<std::vector<Step>, std::vector<std::string>> cases[] = {
        {{{1, '+', "b", 2}, {0, '+', "a", 1}}, {"b", "a", "old"}}, // placed by time
        {{{0, '+', "a", 1}, {1, '+', "b", 2}}, {"b", "a", "old"}},
        {{{1, '+', "b", 2}, {0, '-', "", 0}}, {"b"}}, // the row deleted here stays deleted
        {{{0, '+', "a", 3}, {1, 'c', "", 0}}, {}},    // a clear leaves nothing before it
        {{{1, 'c', "", 0}, {0, '+', "a", 3}}, {"a"}},
    };
    for (const auto& [steps, stored] : cases) {
        test::TempDir dir;
        test::SilentMessages messages;
        HistoryList old;
        old.rows = {searchAt("old", 0)};
        ASSERT_TRUE(writeHistoryFile(dir.file("HistGrid.cld"), old));
        HistoryStore a{DataFolder(dir.path())}, b{DataFolder(dir.path())};
        for (HistoryStore* p : {&a, &b})
            p->NaloziTabelo(messages);
        for (const Step& step : steps) {
            HistoryStore& p = step.program == 0 ? a : b;
            if (step.op == '+') {
                p.addNewest(searchAt(step.words, step.minute));
                p.ShraniTabeloLater(); // merged on the writer thread
                p.waitForWrites();
            } else {
                step.op == '-' ? p.removeRow(0) : p.clearRows();
                ASSERT_TRUE(p.ShraniTabelo());
            }
        }
        for (HistoryStore* p : {&a, &b}) {
            ASSERT_TRUE(p->ShraniTabelo());
            EXPECT_EQ(test::wordsOf(p->list()), stored);
        }
        EXPECT_EQ(test::storedWords(dir.file("HistGrid.cld")), stored);
    }
}
