#include "suggest/drop_down.h"
#include "suggest/suggestion_go_port.h"
#include "suggest/suggestion_manager.h"
#include "suggest/suggestion_store.h"
#include "tests/support/messages.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace trov;
using V = std::vector<std::string>;

namespace {

struct Fixture {
    test::TempDir dir;
    std::string path = dir.file("gs1001.sgg");
    SuggestionStore store{path};

    std::string file() const { return dir.read("gs1001.sgg"); }
    SuggestionStore restarted() const {
        SuggestionStore s(path);
        EXPECT_TRUE(s.load({}));
        return s;
    }
};

// One store file in a fresh folder, for the tests that need no second one.
struct StoreFile : ::testing::Test, Fixture {};
using ManagerFile = StoreFile;

} // namespace

TEST_F(StoreFile, CatsThenDogs) {
    ASSERT_TRUE(store.load({}));
    ASSERT_TRUE(store.osveziBazo("cats"));
    EXPECT_EQ(file(), "|cats\r\n");
    ASSERT_TRUE(store.osveziBazo("dogs"));
    EXPECT_EQ(file(), "|cats|;|dogs\r\n");
    // Cats with a trailing blank adds nothing, but the store is written all the same.
    std::filesystem::remove(path);
    ASSERT_TRUE(store.osveziBazo("Cats "));
    EXPECT_EQ(file(), "|cats|;|dogs\r\n");

    SuggestionStore again = restarted();
    EXPECT_EQ(again.suggestionList(), (V{"cats", "dogs "}));
    EXPECT_EQ(again.dropDownRows("dogs"), (V{"dogs "}));
    ASSERT_TRUE(again.osveziBazo("dogs"));
    EXPECT_EQ(file(), "|cats|;|dogs\r\n");
    ASSERT_TRUE(again.osveziBazo("  b"));
    EXPECT_EQ(file(), "|cats|;|dogs|;|  b\r\n");
}

TEST_F(StoreFile, AnEntryWithABarComesBackWhole) {
    ASSERT_TRUE(store.osveziBazo("a|b"));
    ASSERT_TRUE(store.osveziBazo("c||"));
    EXPECT_EQ(file(), "|a||b|;|c||||\r\n");
    EXPECT_EQ(restarted().suggestionList(), (V{"a|b", "c|| "}));
}

TEST_F(StoreFile, TextKeepsDuplicatesListDoesNot) {
    dir.write("gs1001.sgg", "|x|;|X|;|y\r\n");
    ASSERT_TRUE(store.load({}));
    EXPECT_EQ(store.suggestionList(), (V{"X", "y "}));
    ASSERT_TRUE(store.osveziBazo("z"));
    EXPECT_EQ(file(), "|x|;|X|;|y|;|z\r\n");
}

TEST(SuggestionStore, WhatGoAdds) {
    EXPECT_TRUE(isSuggestionWorthy("  a"));
    EXPECT_FALSE(isSuggestionWorthy("   "));
    EXPECT_FALSE(isSuggestionWorthy(""));
    Fixture f;
    test::RecordingMessages messages;
    SuggestionGoPort port(f.store, messages);
    port.osveziBazo("  ");
    EXPECT_FALSE(std::filesystem::exists(f.path));
    port.osveziBazo("  a");
    EXPECT_EQ(f.file(), "|  a\r\n");

    SuggestionStore broken(f.dir.file("missing/gs1001.sgg"));
    SuggestionGoPort brokenPort(broken, messages);
    brokenPort.osveziBazo("x");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Unable to write to " + f.dir.file("missing/gs1001.sgg"));
}

TEST_F(StoreFile, FirstStartTakesTheShippedStoreOver) {
    test::TempDir program;
    program.write("gs1001.sgg", "|shipped|;|caf\xE9\r\n");
    ASSERT_TRUE(store.load({true, {dir.file("nowhere/"), program.path()}}));
    EXPECT_EQ(file(), "|shipped|;|caf\xC3\xA9\r\n\r\n");
    EXPECT_EQ(store.suggestionList(), (V{"shipped", "caf\xC3\xA9 "}));

    Fixture empty;
    ASSERT_TRUE(empty.store.load({true, {empty.dir.file("nowhere/")}}));
    EXPECT_EQ(empty.file(), "\r\n");
    EXPECT_TRUE(empty.store.suggestionList().empty());

    // The user's own store in the data folder is kept.
    Fixture mine;
    mine.dir.write("gs1001.sgg", "|mine\r\n");
    ASSERT_TRUE(mine.store.load({true, {program.path()}}));
    EXPECT_EQ(mine.file(), "|mine\r\n");
    EXPECT_EQ(mine.store.suggestionList(), (V{"mine "}));

    Fixture readOnly;
    ASSERT_TRUE(readOnly.store.load({true, {program.path()}, false}));
    EXPECT_FALSE(std::filesystem::exists(readOnly.path));
    EXPECT_EQ(readOnly.store.suggestionList().size(), 2u);
}

TEST_F(StoreFile, UnreadableStoreIsReported) {
    std::filesystem::create_directory(path);
    FileError error;
    EXPECT_FALSE(store.load({}, &error));
    EXPECT_EQ(error.path, path);
}

TEST(DropDown, PrefixMatchesFirstThenInnerOnes) {
    const V entries = {"Cats", "atlas", "Bat"};
    EXPECT_EQ(filterSuggestions(entries, "at"), (V{"atlas", "Cats", "Bat"}));
    EXPECT_EQ(filterSuggestions(entries, "AT"), (V{"atlas", "Cats", "Bat"}));
    EXPECT_EQ(filterSuggestions(entries, ""), V{});
    EXPECT_EQ(filterSuggestions({"atat", "xatat"}, "at"), (V{"atat", "xatat"}));
    // Letters outside A to Z compare by their codes.
    EXPECT_EQ(filterSuggestions({"\xC3\xA4pfel"}, "\xC3\x84"), V{});
}

TEST(DropDown, HeightRule) {
    EXPECT_EQ(dropDownHeight(80, 10, 0), 17);
    EXPECT_EQ(dropDownHeight(299, 1, 99), 17);
    EXPECT_EQ(dropDownHeight(440, 10, 0), 152);
    EXPECT_EQ(dropDownHeight(440, 8, 0), 136);
    EXPECT_EQ(dropDownHeight(440, 9, 0), 152);
    EXPECT_EQ(dropDownHeight(351, 3, 0), 51);
    EXPECT_EQ(dropDownHeight(300, 3, 42), 42);
    EXPECT_EQ(dropDownHeight(350, 3, 42), 42);
}

TEST(SuggestionManager, MarksFindAndDelete) {
    SuggestionManager m;
    m.fill({"dogs", "Cats", "apple", "Banana"});
    EXPECT_EQ(m.rows(), (V{"apple", "Banana", "Cats", "dogs"}));
    m.toggleMark(1);
    m.toggleMark(1);
    m.toggleMark(2);
    EXPECT_FALSE(m.marked(1));
    EXPECT_TRUE(m.marked(2));
    m.invertSelection();
    EXPECT_EQ((std::vector<bool>{m.marked(0), m.marked(1), m.marked(2), m.marked(3)}),
              (std::vector<bool>{true, true, false, true}));
    m.selectAll();
    EXPECT_TRUE(m.marked(2));
    m.find("AN");
    EXPECT_TRUE(m.highlighted(1));
    EXPECT_FALSE(m.highlighted(0));
    m.find("");
    EXPECT_FALSE(m.highlighted(1));
}

TEST_F(ManagerFile, DeleteAsksAndRewritesInListOrder) {
    dir.write("gs1001.sgg", "|dogs|;|Cats|;|apple\r\n");
    ASSERT_TRUE(store.load({}));
    test::RecordingMessages messages;
    SuggestionManager m;
    m.fill(store.suggestionList());

    messages.answer = false;
    m.toggleMark(0);
    ASSERT_TRUE(m.deleteMarked(messages, store));
    EXPECT_EQ(messages.asked, (V{"Delete all selected suggestions ?"}));
    EXPECT_EQ(file(), "|dogs|;|Cats|;|apple\r\n");

    messages.answer = true;
    m.toggleMark(0); // nothing marked: the store comes out sorted
    ASSERT_TRUE(m.deleteMarked(messages, store));
    // "apple" was last in the file and keeps the blank its line end left.
    EXPECT_EQ(file(), "|apple |;|Cats|;|dogs\r\n");
    EXPECT_EQ(store.suggestionList(), (V{"apple ", "Cats", "dogs"}));

    m.selectAll();
    ASSERT_TRUE(m.deleteMarked(messages, store));
    EXPECT_EQ(file(), "\r\n");
    EXPECT_TRUE(store.dropDownRows("a").empty());
}

TEST_F(ManagerFile, DeleteOneSuggestionFromTheDropDown) {
    dir.write("gs1001.sgg", "|dogs|;|Cats|;|cats x|;|apple\r\n");
    ASSERT_TRUE(store.load({}));
    SuggestionManager m;
    ASSERT_TRUE(deleteSearchSuggestion(store, m, std::nullopt));
    EXPECT_EQ(file(), "|dogs|;|Cats|;|cats x|;|apple\r\n") << "no row: nothing written";
    ASSERT_TRUE(deleteSearchSuggestion(store, m, std::string("CATS")));
    EXPECT_EQ(file(), "|apple |;|cats x|;|dogs\r\n");
}
