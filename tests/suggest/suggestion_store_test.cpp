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

} // namespace

TEST(SuggestionStore, CatsThenDogs) {
    Fixture f;
    ASSERT_TRUE(f.store.load({}));
    ASSERT_TRUE(f.store.osveziBazo("cats"));
    EXPECT_EQ(f.file(), "|cats\r\n");
    ASSERT_TRUE(f.store.osveziBazo("dogs"));
    EXPECT_EQ(f.file(), "|cats|;|dogs\r\n");
    // Cats with a trailing blank adds nothing, but the store is written all the same.
    std::filesystem::remove(f.path);
    ASSERT_TRUE(f.store.osveziBazo("Cats "));
    EXPECT_EQ(f.file(), "|cats|;|dogs\r\n");

    SuggestionStore again = f.restarted();
    EXPECT_EQ(again.suggestionList(), (V{"cats", "dogs "}));
    EXPECT_EQ(again.dropDownRows("dogs"), (V{"dogs "}));
    ASSERT_TRUE(again.osveziBazo("dogs"));
    EXPECT_EQ(f.file(), "|cats|;|dogs\r\n");
    ASSERT_TRUE(again.osveziBazo("  b"));
    EXPECT_EQ(f.file(), "|cats|;|dogs|;|  b\r\n");
}

TEST(SuggestionStore, AnEntryWithABarComesBackWhole) {
    Fixture f;
    ASSERT_TRUE(f.store.osveziBazo("a|b"));
    ASSERT_TRUE(f.store.osveziBazo("c||"));
    EXPECT_EQ(f.file(), "|a||b|;|c||||\r\n");
    EXPECT_EQ(f.restarted().suggestionList(), (V{"a|b", "c|| "}));
}

TEST(SuggestionStore, TextKeepsDuplicatesListDoesNot) {
    Fixture f;
    f.dir.write("gs1001.sgg", "|x|;|X|;|y\r\n");
    ASSERT_TRUE(f.store.load({}));
    EXPECT_EQ(f.store.suggestionList(), (V{"X", "y "}));
    ASSERT_TRUE(f.store.osveziBazo("z"));
    EXPECT_EQ(f.file(), "|x|;|X|;|y|;|z\r\n");
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

TEST(SuggestionStore, FirstStartTakesTheShippedStoreOver) {
    Fixture f;
    test::TempDir program;
    program.write("gs1001.sgg", "|shipped|;|caf\xE9\r\n");
    ASSERT_TRUE(f.store.load({true, {f.dir.file("nowhere/"), program.path()}}));
    EXPECT_EQ(f.file(), "|shipped|;|caf\xC3\xA9\r\n\r\n");
    EXPECT_EQ(f.store.suggestionList(), (V{"shipped", "caf\xC3\xA9 "}));

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

TEST(SuggestionStore, UnreadableStoreIsReported) {
    Fixture f;
    std::filesystem::create_directory(f.path);
    FileError error;
    EXPECT_FALSE(f.store.load({}, &error));
    EXPECT_EQ(error.path, f.path);
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

TEST(SuggestionManager, DeleteAsksAndRewritesInListOrder) {
    Fixture f;
    f.dir.write("gs1001.sgg", "|dogs|;|Cats|;|apple\r\n");
    ASSERT_TRUE(f.store.load({}));
    test::RecordingMessages messages;
    SuggestionManager m;
    m.fill(f.store.suggestionList());

    messages.answer = false;
    m.toggleMark(0);
    ASSERT_TRUE(m.deleteMarked(messages, f.store));
    EXPECT_EQ(messages.asked, (V{"Delete all selected suggestions ?"}));
    EXPECT_EQ(f.file(), "|dogs|;|Cats|;|apple\r\n");

    messages.answer = true;
    m.toggleMark(0); // nothing marked: the store comes out sorted
    ASSERT_TRUE(m.deleteMarked(messages, f.store));
    // "apple" was last in the file and keeps the blank its line end left.
    EXPECT_EQ(f.file(), "|apple |;|Cats|;|dogs\r\n");
    EXPECT_EQ(f.store.suggestionList(), (V{"apple ", "Cats", "dogs"}));

    m.selectAll();
    ASSERT_TRUE(m.deleteMarked(messages, f.store));
    EXPECT_EQ(f.file(), "\r\n");
    EXPECT_TRUE(f.store.dropDownRows("a").empty());
}

TEST(SuggestionManager, DeleteOneSuggestionFromTheDropDown) {
    Fixture f;
    f.dir.write("gs1001.sgg", "|dogs|;|Cats|;|cats x|;|apple\r\n");
    ASSERT_TRUE(f.store.load({}));
    SuggestionManager m;
    ASSERT_TRUE(deleteSearchSuggestion(f.store, m, std::nullopt));
    EXPECT_EQ(f.file(), "|dogs|;|Cats|;|cats x|;|apple\r\n") << "no row: nothing written";
    ASSERT_TRUE(deleteSearchSuggestion(f.store, m, std::string("CATS")));
    EXPECT_EQ(f.file(), "|apple |;|cats x|;|dogs\r\n");
}
