#include "history/history_placement.h"
#include "history/history_view.h"
#include "tests/support/history_rows.h"
#include "tests/support/messages.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

using namespace trov;

namespace {

struct ViewFixture : ::testing::Test {
    test::TempDir dir;
    HistoryStore store{DataFolder(dir.path())};
    HistoryView view{store};

    void rows(std::initializer_list<std::string> words) {
        for (const std::string& w : words)
            store.list().rows.push_back(test::historyRow(w));
    }
    std::vector<std::string> storedWords() { return test::storedWords(store.storePath()); }
};

using N = HistoryNavigation;

TEST_F(ViewFixture, NavigationMovesOnlyWhenItsConditionHolds) {
    for (N b : {N::First, N::Prior, N::Next, N::Last})
        EXPECT_FALSE(view.navigate(b)); // an empty list
    rows({"a", "b", "c", "d", "e"});
    const struct {
        int selected; // -1: none
        N button;
        int expected; // -1: nothing happens
    } cases[] = {{-1, N::Next, 0},  {-1, N::First, -1}, {-1, N::Prior, -1}, {-1, N::Last, 4},
                 {0, N::First, -1}, {0, N::Prior, -1},  {0, N::Next, 1},    {2, N::First, 0},
                 {2, N::Prior, 1},  {2, N::Last, 4},    {4, N::Last, -1},   {4, N::Next, -1},
                 {4, N::Prior, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.selected) + " " + std::to_string(static_cast<int>(c.button)));
        HistoryView v{store};
        if (c.selected >= 0)
            v.selectOnly(static_cast<std::size_t>(c.selected));
        const auto moved = v.navigate(c.button);
        EXPECT_EQ(moved ? int(*moved) : -1, c.expected);
        EXPECT_EQ(v.lowestSelected(), c.expected < 0 ? c.selected : c.expected);
        EXPECT_EQ(v.detail(),
                  c.expected < 0 ? HistoryRecord{} : store.list().rows[std::size_t(c.expected)]);
    }
    // Single selection keeps the lowest row; navigation switches multi-select off.
    view.setSelection({2, 1});
    EXPECT_EQ(view.selection(), std::set<std::size_t>{1});
    view.setMultiSelect(true);
    view.setSelection({0, 2, 7});
    EXPECT_EQ(view.selection(), (std::set<std::size_t>{0, 2}));
    view.setMultiSelect(false);
    EXPECT_EQ(view.selection(), std::set<std::size_t>{0});
    view.setMultiSelect(true);
    view.setSelection({1, 3});
    EXPECT_EQ(view.navigate(N::Next), 2u);
    EXPECT_FALSE(view.multiSelect() || store.list().multiSelect);
}

TEST_F(ViewFixture, FindStartsAtTheTopForANewTextAndContinuesForTheSame) {
    rows({"red cat", "dog", "Cat food", "bird", "black CAT"});
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
    EXPECT_EQ(view.detail(), store.list().rows[1]);
    EXPECT_EQ(view.lastFindText(), "dog <> sec");
    EXPECT_EQ(view.find("10:00:00 <> DOG"), 1u);
    EXPECT_FALSE(view.find("dogsecond") || view.find("zzz"));
    EXPECT_EQ(view.lowestSelected(), 1); // nothing found: the selection stays
    EXPECT_EQ(view.find("firefox"), 0u); // found in the browser, which colours no row
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
    HistoryRecord r;
    r.set(kColSearch, "cats");
    EXPECT_EQ(rowColour(r, 0, ""), 0xEEF4F7u);
    EXPECT_EQ(rowColour(r, 1, ""), 0xFFFFFFu);
    EXPECT_EQ(rowColour(r, 2, "cat"), 0xFFFFB9u);
    EXPECT_EQ(rowColour(r, 2, "dog"), 0xEEF4F7u);
    std::string joined = " <>  <> cats";
    for (int i = 0; i < 11; ++i)
        joined += " <> ";
    EXPECT_EQ(rowSearchText(r), joined);
}

TEST_F(ViewFixture, DeleteRemovesEverySelectedRowAndWritesTheStore) {
    rows({"a", "b", "c", "d", "e"});
    view.setMultiSelect(true);
    view.setSelection({1, 3, 4});
    view.showSelected();
    ASSERT_TRUE(view.deleteSelected());
    EXPECT_EQ(storedWords(), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(view.detail(), HistoryRecord{});
    EXPECT_TRUE(view.selection().empty());
    // Without a selection the panel is still emptied and the store written.
    view.selectOnly(0);
    view.showSelected();
    view.setSelection({});
    std::remove(store.storePath().c_str());
    ASSERT_TRUE(view.deleteSelected());
    EXPECT_EQ(storedWords(), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(view.detail(), HistoryRecord{});
    // A refused write is reported.
    std::remove(store.storePath().c_str());
    dir.write("HistGrid.cld/inside", "a folder in the store's place");
    FileError error;
    EXPECT_FALSE(view.deleteSelected(&error));
    EXPECT_EQ(error.path, store.storePath());
}

TEST_F(ViewFixture, ClearAsksAndOnlyYesEmptiesTheStore) {
    test::RecordingMessages messages;
    EXPECT_EQ(view.clearAll(messages), ClearOutcome::Empty);
    EXPECT_TRUE(messages.asked.empty());
    rows({"a", "b"});
    messages.answer = false;
    EXPECT_EQ(view.clearAll(messages), ClearOutcome::Declined);
    EXPECT_EQ(messages.asked.back(), "Clear all search history ?");
    EXPECT_EQ(store.list().rows.size(), 2u);
    EXPECT_FALSE(fileExists(store.storePath()));
    messages.answer = true;
    EXPECT_EQ(view.clearAll(messages), ClearOutcome::Cleared);
    EXPECT_TRUE(store.list().rows.empty());
    EXPECT_EQ(dir.read("HistGrid.cld").find("Items.Data"), std::string::npos);
}

TEST_F(ViewFixture, PlacementIsReadWrittenAndPulledBackOnScreen) {
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

} // namespace
