// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/atomic_file.h"
#include "history/history_csv.h"
#include "history/history_placement.h"
#include "history/history_store.h"
#include "history/history_view.h"
#include "history/list_view_stream.h"
#include "tests/support/history_rows.h"
#include "tests/support/messages.h"
#include "tests/support/temp_dir.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

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

HistoryList listOf(std::initializer_list<const char*> words) {
    HistoryList list;
    for (const char* w : words)
        list.rows.push_back(test::historyRow(w));
    return list;
}

std::string stream(std::initializer_list<const char*> words) {
    return writeListViewStream(listOf(words));
}

struct Files {
    test::TempDir dir;
    test::RecordingMessages messages;
    HistoryStore store{DataFolder(dir.path())};
    HistoryView view{store};
    std::vector<std::string> storedWords() { return test::storedWords(store.storePath()); }
};
struct Rig : Files, ::testing::Test {};

using test::wordsOf;
using V = std::vector<std::string>;
using N = HistoryNavigation;
using Texts = std::pair<std::string_view, std::string_view>;

} // namespace

// The golden files are laid out by hand from the store format; see data/README.md.
TEST(ListViewStream, WritesTheStoreByteForByteAndReadsItBack) {
    EXPECT_EQ(writeListViewStream(HistoryList{}), data("empty.cld"));
    HistoryList back;
    back.rows.push_back(row(1)); // a stream without rows leaves rows as they are
    EXPECT_TRUE(readListViewStream(data("empty.cld"), back).ok);
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
    // "Only" has no Width; names compare without case.
    EXPECT_EQ(list.columns, (std::vector<HistoryColumn>{{"Only", 50}, {"Second", 300}}));
    EXPECT_EQ(std::pair(list.multiSelect, list.geometry),
              std::pair(true, ListGeometry{1000, -3, 1000, 500}));
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
        EXPECT_EQ(std::pair(r.ok, r.reason.empty()), std::pair(false, false)) << file.path();
        ++files;
    }
    EXPECT_EQ(files, 19);
    HistoryList list; // a corrupt row keeps the rows read before it
    EXPECT_FALSE(readListViewStream(data("corrupt/second-row-past-the-end.cld"), list).ok);
    ASSERT_EQ(list.rows.size(), 1u);
    EXPECT_EQ(list.rows[0][0], "first");
}

// A text may be set from the row itself. Loaded rows share the store's bytes: changing one
// leaves the others, and a copy outlives the list.
TEST(HistoryRecord, ALoadedRowChangesAloneAndOutlivesItsList) {
    HistoryRecord r = row(4);
    r.set(kColSearch, r[kColType]);
    r.set(kColType, r[kColType].substr(0, 2));
    EXPECT_EQ(std::pair(r[kColSearch], r[kColType]), Texts("tttt", "tt"));
    HistoryRecord copy;
    {
        HistoryList list;
        ASSERT_TRUE(
            readListViewStream(std::make_shared<const std::string>(data("rows.cld")), list).ok);
        copy = list.rows[1];
        list.rows[1].set(kColSearch, "changed");
        EXPECT_EQ(test::wordsOf(list).at(2), std::string(254, 's'));
        EXPECT_EQ(std::pair(list.rows[0][kColSearch], list.rows[1][kColSearch]),
                  Texts("", "changed"));
    }
    EXPECT_EQ(copy[kColSearch], "s");
}

// At start-up the store is loaded and copied to the backup; a corrupt store falls back
// to the backup with a message, or without one is written as far as it was read. The
// bytes of an unreadable file are kept beside it first, with a message saying where.
TEST(HistoryStartUp, TheStoreOrItsBackupIsLoaded) {
    using Bytes = std::optional<std::string>;
    std::string lying = stream({"first", "second"});
    lying[lying.find("Items.Data") + 10 + 1 + 4 + 4] = 3; // three rows promised, two given
    const std::string restored =
        "       Error opening history file.          \r\n\r\n       Reload old data.";
    const std::string corrupt = "TPF0\x09TListView"; // ends inside the header
    using H = HistoryLoad;
    const Bytes none, ab = stream({"a", "b"}), bk = stream({"backup"});
    const struct {
        Bytes store, backup;
        HistoryLoad load;
        V rows;
        Bytes backupAfter;
    } cases[] = {{none, none, H::NoStore, {}, none},
                 {ab, stream({"old"}), H::Loaded, {"a", "b"}, ab},
                 {corrupt, bk, H::RestoredFromBackup, {"backup"}, bk},
                 {"XPF0", bk, H::RestoredFromBackup, {"backup"}, bk},
                 {"", bk, H::RestoredFromBackup, {"backup"}, bk},
                 {stream({"a"}).substr(0, 100), bk, H::RestoredFromBackup, {"backup"}, bk},
                 {lying, none, H::BackupMissing, {"first", "second"}, stream({"first", "second"})},
                 {corrupt, "garbage", H::BothUnreadable, {}, "garbage"}};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        Files f;
        if (c.store)
            f.dir.write("HistGrid.cld", *c.store);
        if (c.backup)
            f.dir.write("HistGrid.cld2", *c.backup);
        EXPECT_EQ(f.store.NaloziTabelo(f.messages), c.load) << i;
        EXPECT_EQ(std::tuple(wordsOf(f.store.list()), readWholeFile(f.dir.file("HistGrid.cld2")),
                             readWholeFile(f.dir.file("HistGrid.cld"))),
                  std::tuple(c.rows, c.backupAfter, c.store))
            << i << ": the store is left as it was";
        const bool storeKept = c.load != H::Loaded && c.store && !c.store->empty();
        const bool backupKept = c.load == H::BothUnreadable;
        EXPECT_EQ(std::pair(readWholeFile(f.dir.file("HistGrid.cld.unreadable")),
                            readWholeFile(f.dir.file("HistGrid.cld2.unreadable"))),
                  std::pair(storeKept ? c.store : none, backupKept ? c.backup : none))
            << i;
        const auto kept = [&](const std::string& name) {
            return formatText(kHistoryKept, {f.dir.file(name), f.dir.file(name + ".unreadable")});
        };
        V texts = c.load == H::RestoredFromBackup ? V{restored} : V{};
        if (storeKept || backupKept)
            texts.push_back(storeKept && backupKept
                                ? kept("HistGrid.cld") + "\n" + kept("HistGrid.cld2")
                                : kept("HistGrid.cld"));
        EXPECT_EQ(f.messages.texts(), texts) << i;
        for (const auto& shown : f.messages.shown)
            EXPECT_TRUE(shown.onTop) << i;
    }
}

// The close writes over an unreadable store once its bytes are kept; a kept copy is never
// written over, and one that holds the same bytes is not made again.
TEST(HistoryStartUp, UnreadableBytesOutliveTheWritesOverThem) {
    Files f;
    const std::string first = "TPF0\x09TList", second = "TPF0\x09TListV";
    f.dir.write("HistGrid.cld2", "garbage");
    for (const std::string& bytes : {first, second, first, std::string()}) {
        f.dir.write("HistGrid.cld", bytes);
        f.store.NaloziTabelo(f.messages);
        f.store.addNewest(test::historyRow(std::to_string(bytes.size())));
        ASSERT_TRUE(f.store.ShraniTabelo()); // the new store is written
        EXPECT_EQ(f.storedWords().front(), std::to_string(bytes.size()));
    }
    EXPECT_EQ(std::tuple(f.dir.read("HistGrid.cld.unreadable"),
                         f.dir.read("HistGrid.cld.unreadable-2"),
                         fileExists(f.dir.file("HistGrid.cld.unreadable-3")),
                         f.dir.read("HistGrid.cld2.unreadable")),
              std::tuple(first, second, false, std::string("garbage")));
    for (int n = 3; n <= 9; ++n) // all taken: the copies stay, and the message says so
        f.dir.write("HistGrid.cld.unreadable-" + std::to_string(n), "taken");
    f.dir.write("HistGrid.cld", "TPF0");
    f.store.NaloziTabelo(f.messages);
    EXPECT_EQ(
        f.messages.texts().back().find(formatText(kHistoryNotKept, {f.dir.file("HistGrid.cld")})),
        0u);
    EXPECT_EQ(f.dir.read("HistGrid.cld.unreadable-9"), "taken");
}

TEST(HistoryFiles, OpenSaveAndCsvImport) {
    Files f;
    f.store.list() = listOf({"mine"});
    EXPECT_TRUE(f.store.openFile(f.dir.file("absent.gmh"))); // a missing file is ignored
    HistoryFileProblem problem;
    EXPECT_FALSE(
        f.store.openFile(f.dir.write("bad.gmh", stream({"x", "y"}).substr(0, 300)), &problem));
    EXPECT_EQ(problem.path, f.dir.file("bad.gmh"));
    EXPECT_FALSE(f.store.importCsv(f.dir.file("none.csv"), f.messages));
    EXPECT_NE(f.messages.texts().at(0).find(f.dir.file("none.csv")), std::string::npos);
    // Importing backs the store up first.
    ASSERT_TRUE(f.store.importCsv(f.dir.write("in.csv", "d,t,one\r\nd,t,two\r\n"), f.messages));
    EXPECT_EQ(wordsOf(f.store.list()), (V{"one", "two"}));
    EXPECT_EQ(f.dir.read("HistGrid.cld2"), stream({"mine"}))
        << "the refused files left it as it was";
    ASSERT_TRUE(f.store.openFile(f.dir.write("good.gmh", stream({"x", "y"}))));
    EXPECT_EQ(wordsOf(f.store.list()), (V{"x", "y"}));
    EXPECT_FALSE(std::filesystem::exists(f.dir.file("HistGrid.cld")))
        << "neither opening nor importing writes the store";
    ASSERT_TRUE(f.store.saveFile(f.dir.file("copy.gmh")));
    EXPECT_EQ(f.dir.read("copy.gmh"), f.dir.read("good.gmh"));
    // An export keeps the file it replaces as .bak.
    f.dir.write("h.bak", "older\r\n");
    ASSERT_TRUE(f.store.exportCsv(f.dir.write("h.csv", "old export\r\n")));
    EXPECT_EQ(std::pair(f.dir.read("h.csv"), f.dir.read("h.bak")),
              std::pair(historyCsv(f.store.list().rows), std::string("old export\r\n")));
    ASSERT_TRUE(exportHistoryCsv(f.dir.file("fresh.txt"), {}));
    EXPECT_EQ(std::pair(f.dir.read("fresh.txt"), fileExists(f.dir.file("fresh.bak"))),
              std::pair(std::string(), false));
    EXPECT_EQ(std::pair(csvBackupPath("/d/h.x.txt"), csvBackupPath("/d.dir/h")),
              std::pair(std::string("/d/h.x.bak"), std::string("/d.dir/h.bak")));
}

// A value with a code 1 to 32, a quote or a comma is quoted with inner quotes doubled; a
// quoted line break stays in its value. The export is data/export.csv byte for byte.
TEST(HistoryCsv, ExportLinesAndImportBack) {
    const HistoryRecord a = test::joinedRow(
        "05.12.2026||- - -|a,b|say \"hi\"|\"|tab\there|\x01x|caf\xC3\xA9|semi;colon|" +
        std::string(300, 'x') + "|one, \"two\"|v12|two\r\nlines");
    const HistoryRecord b(HistoryRecord::Texts{"only"});
    const std::string golden = data("export.csv");
    EXPECT_EQ(historyCsv({a, b}), golden);
    EXPECT_EQ(parseHistoryCsv(golden), (std::vector<HistoryRecord>{a, b}));
    // LF line ends, an empty line, short and long lines, an open quote at the end.
    const auto rows =
        parseHistoryCsv("a,b\n\n\"x\"\"y\",2,3,4,5,6,7,8,9,10,11,12,13,14,15\r\n\"open");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].texts(), (HistoryRecord::Texts{"a", "b"}));
    EXPECT_EQ(std::tuple(rows[1][0], rows[1][13], rows[2][0]), std::tuple("x\"y", "14", "open"));
}

// A writer killed at any moment, also between writing its temporary file and renaming it,
// leaves a store that loads: the old one or the new one, never a mix.
TEST(HistoryCrashSafety, KilledWriterLeavesALoadableStore) {
    test::TempDir dir;
    HistoryList a, b;
    for (int i = 0; i < 20000; ++i) {
        a.rows.emplace_back(HistoryRecord::Texts{"a" + std::to_string(i)});
        b.rows.emplace_back(HistoryRecord::Texts{"b" + std::to_string(i)});
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
        ASSERT_EQ(::waitpid(child, nullptr, 0), child);
        HistoryList back;
        ASSERT_TRUE(readHistoryFile(path, back)) << "round " << round;
        EXPECT_TRUE(back.rows == a.rows || back.rows == b.rows);
    }
}

TEST_F(Rig, NavigationMovesOnlyWhenItsConditionHolds) {
    for (N b : {N::First, N::Prior, N::Next, N::Last})
        EXPECT_FALSE(view.navigate(b)); // an empty list
    store.list() = listOf({"a", "b", "c", "d", "e"});
    // The row selected (-1: none), the button, the row it moves to (-1: nothing happens).
    const std::tuple<int, N, int> cases[] = {
        {-1, N::Next, 0},  {-1, N::First, -1}, {-1, N::Prior, -1}, {-1, N::Last, 4},
        {0, N::First, -1}, {0, N::Prior, -1},  {0, N::Next, 1},    {2, N::First, 0},
        {2, N::Prior, 1},  {2, N::Last, 4},    {4, N::Last, -1},   {4, N::Next, -1},
        {4, N::Prior, 3}};
    for (const auto& [selected, button, expected] : cases) {
        SCOPED_TRACE(std::to_string(selected) + " " + std::to_string(static_cast<int>(button)));
        HistoryView v{store};
        if (selected >= 0)
            v.selectOnly(static_cast<std::size_t>(selected));
        const auto moved = v.navigate(button);
        EXPECT_EQ(moved ? int(*moved) : -1, expected);
        EXPECT_EQ(v.lowestSelected(), expected < 0 ? selected : expected);
        EXPECT_EQ(v.detail(),
                  expected < 0 ? HistoryRecord{} : store.list().rows[std::size_t(expected)]);
    }
    // Single selection keeps the lowest row; navigation switches multi-select off.
    using Rows = std::set<std::size_t>;
    view.setSelection({2, 1});
    const Rows single = view.selection();
    view.setMultiSelect(true);
    view.setSelection({0, 2, 7});
    const Rows multi = view.selection();
    view.setMultiSelect(false);
    EXPECT_EQ(std::tuple(single, multi, view.selection()),
              std::tuple(Rows{1}, Rows{0, 2}, Rows{0}));
    view.setMultiSelect(true);
    view.setSelection({1, 3});
    EXPECT_EQ(view.navigate(N::Next), 2u);
    EXPECT_EQ(std::pair(view.multiSelect(), store.list().multiSelect), std::pair(false, false));
}

TEST_F(Rig, FindStartsAtTheTopForANewTextAndContinuesForTheSame) {
    store.list() = listOf({"red cat", "dog", "Cat food", "bird", "black CAT"});
    store.list().rows[1].set(kColExact, "second");
    for (const std::size_t row : {0u, 2u, 4u, 0u}) // nothing below: round to the top
        EXPECT_EQ(view.find("cat"), row);
    view.selectOnly(3);
    EXPECT_EQ(view.find("cat"), 4u); // from the second to last row: the last
    view.setSelection({});
    EXPECT_EQ(view.find("cat"), 0u); // no selection: from row 0
    EXPECT_FALSE(view.find(""));
    EXPECT_EQ(view.lastFindText(), "cat");
    EXPECT_EQ(view.find("dog <> sec"), 1u); // a new text starts at row 0, across columns
    EXPECT_EQ(std::pair(view.detail(), view.lastFindText()),
              std::pair(store.list().rows[1], std::string("dog <> sec")));
    EXPECT_EQ(view.find("10:00:00 <> DOG"), 1u);
    EXPECT_FALSE(view.find("dogsecond"));
    EXPECT_FALSE(view.find("zzz"));
    EXPECT_EQ(view.lowestSelected(), 1); // nothing found: the selection stays
    EXPECT_EQ(view.find("firefox"), 0u); // found in the browser, which colours no row
}

// A search recorded while a record is selected: the highlight stays on the panel's record.
TEST_F(Rig, SelectedRecordsFollowRowsAddedAtTheTop) {
    store.list() = listOf({"a", "b", "c"});
    view.rowsReplaced();
    view.selectOnly(2);
    view.showSelected();
    store.addNewest(test::historyRow("new"));
    store.addNewest(test::historyRow("newer"));
    view.rowsAddedAtTop();
    view.rowsAddedAtTop(); // told again (the program and Run): no further
    EXPECT_EQ(std::pair(view.lowestSelected(), view.detail()), std::pair(4, view.rows()[4]));
    ASSERT_TRUE(view.deleteSelected()); // deleted rows are no rows added
    view.selectOnly(1);
    view.rowsAddedAtTop();
    EXPECT_EQ(view.lowestSelected(), 1);
    store.list() = listOf({"v", "w", "x", "y", "z"}); // an opened file: no rows added at the top
    view.rowsReplaced();
    view.rowsAddedAtTop();
    EXPECT_EQ(view.lowestSelected(), 1);
}

TEST(RowColours, OnlyTheListedColumnsAreLookedAtOnEvenAndOddRows) {
    const std::set<std::size_t> looked = {kColSearch,   kColExact,   kColExclude,  kColSite,
                                          kColFileType, kColCountry, kColLanguage, kColPeriod,
                                          kColEngine,   kColType};
    for (std::size_t c = 0; c < kHistoryColumnCount; ++c) {
        HistoryRecord r;
        r.set(c, "xNeedLEx");
        EXPECT_EQ(rowMarked(r, "needle"), looked.count(c) == 1) << c;
        EXPECT_EQ(rowColour(r, 3, "NEEDLE"), looked.count(c) ? kFoundRowColour : kOddRowColour);
    }
    const HistoryRecord r = test::historyRow("cats");
    EXPECT_EQ(std::tuple(rowColour(r, 0, ""), rowColour(r, 1, ""), rowColour(r, 2, "cat"),
                         rowColour(r, 2, "dog")),
              std::tuple(0xEEF4F7u, 0xFFFFFFu, 0xFFFFB9u, 0xEEF4F7u));
}

TEST_F(Rig, DeleteRemovesEverySelectedRowAndWritesTheStore) {
    store.list() = listOf({"a", "b", "c", "d", "e"});
    view.setMultiSelect(true);
    view.setSelection({1, 3, 4});
    view.showSelected();
    ASSERT_TRUE(view.deleteSelected());
    EXPECT_EQ(std::tuple(storedWords(), view.detail(), view.selection().size()),
              std::tuple(V{"a", "c"}, HistoryRecord{}, 0u));
    // Without a selection the panel is still emptied and the store written.
    view.selectOnly(0);
    view.showSelected();
    view.setSelection({});
    std::remove(store.storePath().c_str());
    ASSERT_TRUE(view.deleteSelected());
    EXPECT_EQ(std::pair(storedWords(), view.detail()), std::pair(V{"a", "c"}, HistoryRecord{}));
    std::remove(store.storePath().c_str());
    dir.write("HistGrid.cld/inside", "a folder in the store's place");
    FileError error;
    EXPECT_FALSE(view.deleteSelected(&error));
    EXPECT_EQ(error.path, store.storePath());
}

TEST_F(Rig, ClearAsksAndOnlyYesEmptiesTheStore) {
    test::RecordingMessages messages;
    EXPECT_EQ(view.clearAll(messages), ClearOutcome::Empty);
    EXPECT_EQ(messages.asked, V{});
    store.list() = listOf({"a", "b"});
    messages.answer = false;
    EXPECT_EQ(view.clearAll(messages), ClearOutcome::Declined);
    EXPECT_EQ(messages.asked, V{"Clear all search history ?"});
    EXPECT_EQ(std::pair(store.list().rows.size(), fileExists(store.storePath())),
              std::pair(2ul, false));
    messages.answer = true;
    EXPECT_EQ(view.clearAll(messages), ClearOutcome::Cleared);
    EXPECT_EQ(std::pair(store.list().rows.size(), storedWords()), std::pair(0ul, V{}));
}

TEST_F(Rig, PlacementIsReadWrittenAndPulledBackOnScreen) {
    // Defaults follow the screen; a stored minimised state opens normal.
    EXPECT_EQ(readHistoryPlacement(Config(dir.file("YY.cfg"), {1600, 900})),
              (HistoryPlacement{10, 10, 1450, 750, HistoryWindowState::Maximised}));
    using S = HistoryWindowState;
    for (const auto& [stored, state] :
         {std::pair{"0", S::Normal}, std::pair{"1", S::Normal}, std::pair{"2", S::Maximised},
          std::pair{"x", S::Maximised}}) {
        dir.write("YY.cfg", std::string("[VelikostH]\r\nLevo=-20\r\nGor=0x10\r\nSirina=800\r\n"
                                        "Visina=600\r\nStatus=") +
                                stored + "\r\n");
        EXPECT_EQ(readHistoryPlacement(Config(dir.file("YY.cfg"))),
                  (HistoryPlacement{-20, 16, 800, 600, state}))
            << stored;
    }
    // Written in one go, keeping other keys.
    dir.write("YY.cfg", "[Pin]\r\nCountry=4\r\n");
    Config config(dir.file("YY.cfg"));
    writeHistoryPlacement(config, 30, 40, 700, 500, S::Maximised, false);
    EXPECT_EQ(dir.read("YY.cfg"), "[Pin]\r\nCountry=4\r\n[VelikostH]\r\nSirina=700\r\n"
                                  "Visina=500\r\nLevo=30\r\nGor=40\r\nStatus=2\r\n");
    writeHistoryPlacement(config, 30, 40, 700, 500, S::Normal, true);
    config.reload();
    EXPECT_EQ(config.readInt(cfg::HistStatus), 1);
    // Activation pulls the window back on a 1000 x 800 screen.
    const struct {
        WindowOrigin in, out;
    } cases[] = {{{-1, -5}, {-1, -5}}, {{-2, 0}, {0, 0}},      {{940, 0}, {940, 0}},
                 {{941, 0}, {0, 0}},   {{5, -6}, {5, 10}},     {{5, 740}, {5, 740}},
                 {{5, 741}, {5, 700}}, {{-50, 2000}, {0, 700}}};
    for (const auto& c : cases)
        EXPECT_EQ(clampHistoryOrigin(c.in, {1000, 800}), c.out) << c.in.left << "," << c.in.top;
}
