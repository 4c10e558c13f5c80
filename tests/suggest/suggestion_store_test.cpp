// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/atomic_file.h"
#include "suggest/drop_down.h"
#include "suggest/suggestion_go_port.h"
#include "suggest/suggestion_manager.h"
#include "suggest/suggestion_store.h"
#include "tests/compose/transcript.h"
#include "tests/support/messages.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

using namespace trov;
using V = std::vector<std::string>;

namespace {

struct Store {
    test::TempDir dir;
    std::string path = dir.file("gs1001.sgg");
    SuggestionStore store{path};

    explicit Store(std::optional<std::string> bytes = {}) {
        if (bytes)
            dir.write("gs1001.sgg", *bytes);
    }
    std::string file() const { return dir.read("gs1001.sgg"); }
};

std::string shown(const V& entries) {
    std::string out;
    for (const std::string& e : entries)
        out += " <" + test::escaped(e) + ">";
    return out;
}

} // namespace

// The cases and what they print: data/suggest.txt [Store].
TEST(SuggestionStore, AddingRewritesTheLineAndAFirstStartTakesTheShippedStoreOver) {
    test::TempDir program;
    program.write("gs1001.sgg", "|shipped|;|caf\xE9\r\n");
    test::expectTranscript("suggest/data/suggest.txt", "Store", [&](const std::string& input) {
        const std::string before = input.substr(0, input.find(' '));
        std::istringstream in(input.substr(before.size()));
        std::string word;
        in >> word;
        Store s(before == "-" ? std::nullopt : std::optional(before));
        SuggestionLoadOptions options;
        for (options.firstStart = word == "first"; in >> word;)
            if (word == "read-only")
                options.persist = false;
            else if (options.firstStart && word != "start")
                options.shippedDirs.push_back(word == "shipped" ? program.path() : word);
        EXPECT_TRUE(s.store.load(options));
        for (std::size_t open = input.find('<'); open != std::string::npos;
             open = input.find('<', open + 1)) {
            std::filesystem::remove(s.path);
            EXPECT_TRUE(
                s.store.osveziBazo(input.substr(open + 1, input.find('>', open) - open - 1)));
        }
        SuggestionStore again(s.path);
        again.load({});
        return "file <" + test::escaped(fileExists(s.path) ? s.file() : "none") + ">\nlist" +
               shown(s.store.suggestionList()) + "\nafter a restart" +
               shown(again.suggestionList()) + "\n";
    });
    Store s("|cats|;|dogs\r\n");
    ASSERT_TRUE(s.store.load({}));
    EXPECT_EQ(s.store.dropDownRows("dogs"), (V{"dogs "}));
}

TEST(SuggestionStore, WhatGoAddsAndAWriteThatFails) {
    Store s;
    test::RecordingMessages messages;
    SuggestionGoPort port(s.store, messages);
    port.osveziBazo("  ");
    EXPECT_FALSE(std::filesystem::exists(s.path));
    port.osveziBazo("  a");
    EXPECT_EQ(s.file(), "|  a\r\n");

    SuggestionStore broken(s.dir.file("missing/gs1001.sgg"));
    SuggestionGoPort(broken, messages).osveziBazo("x");
    EXPECT_EQ(messages.texts(), V{"Unable to write to " + s.dir.file("missing/gs1001.sgg")});
}

TEST(DropDown, HeightRule) {
    // {field top, rows, space below the field} -> height
    // clang-format off
    const std::array<std::array<int, 4>, 8> heights = {{{80, 10, 0, 17}, {299, 1, 99, 17},
        {440, 10, 0, 152}, {440, 8, 0, 136}, {440, 9, 0, 152}, {351, 3, 0, 51}, {300, 3, 42, 42},
        {350, 3, 42, 42}}};
    // clang-format on
    for (const auto& [a, b, c, height] : heights)
        EXPECT_EQ(dropDownHeight(a, b, c), height) << a << " " << b << " " << c;
}

TEST(SuggestionManager, MarksFindAndDelete) {
    Store s("|dogs|;|Cats|;|apple|;|Banana\r\n");
    ASSERT_TRUE(s.store.load({}));
    test::RecordingMessages messages;
    SuggestionManager m;
    m.fill(s.store.suggestionList());
    EXPECT_EQ(m.rows(), (V{"apple", "Banana ", "Cats", "dogs"}));
    for (std::size_t row : {1, 1, 2})
        m.toggleMark(row);
    m.invertSelection();
    m.find("AN");
    EXPECT_EQ((std::vector{m.marked(0), m.marked(1), m.marked(2), m.marked(3), m.highlighted(0),
                           m.highlighted(1)}),
              (std::vector{true, true, false, true, false, true}));
    m.find("");
    EXPECT_FALSE(m.highlighted(1));

    messages.answer = false;
    ASSERT_TRUE(m.deleteMarked(messages, s.store));
    EXPECT_EQ(messages.asked, (V{"Delete all selected suggestions ?"}));
    EXPECT_EQ(s.file(), "|dogs|;|Cats|;|apple|;|Banana\r\n");
    messages.answer = true;
    m.toggleMark(0);
    m.toggleMark(3); // only "Banana " is marked; the rest is written in list order
    ASSERT_TRUE(m.deleteMarked(messages, s.store));
    EXPECT_EQ(s.file(), "|apple|;|Cats|;|dogs\r\n");
    m.selectAll();
    ASSERT_TRUE(m.deleteMarked(messages, s.store));
    EXPECT_EQ(s.file(), "\r\n");
    EXPECT_TRUE(s.store.dropDownRows("a").empty());
}

TEST(SuggestionManager, DeleteOneSuggestionFromTheDropDown) {
    Store s("|dogs|;|Cats|;|cats x|;|apple\r\n");
    ASSERT_TRUE(s.store.load({}));
    SuggestionManager m;
    ASSERT_TRUE(deleteSearchSuggestion(s.store, m, std::nullopt));
    EXPECT_EQ(s.file(), "|dogs|;|Cats|;|cats x|;|apple\r\n") << "no row: nothing written";
    ASSERT_TRUE(deleteSearchSuggestion(s.store, m, std::string("CATS")));
    // "apple" was last in the file and keeps the blank its line end left.
    EXPECT_EQ(s.file(), "|apple |;|cats x|;|dogs\r\n");
}

// Two programs with the store loaded, each adding ("+") or deleting from the drop-down
// ("-") in turn: each change lands on top of the other's, whichever comes first.
TEST(SuggestionStore, TwoProgramsKeepEachOthersChanges) {
    const std::tuple<const char*, V, const char*> cases[] = {
        {"|x\r\n", {"1+b", "0+a"}, "|x|;|b|;|a\r\n"},
        {"|x\r\n", {"0+a", "1+b"}, "|x|;|a|;|b\r\n"},
        {"|x|;|y\r\n", {"1+b", "0-x"}, "|y |;|b\r\n"},
        {"|x|;|y\r\n", {"0-x", "1+b"}, "|y|;|b\r\n"},
        {"|x|;|y|;|z\r\n", {"0-x", "1-y", "0+x"}, "|z|;|x\r\n"},
        {"|x\r\n", {"0+a", "1+A", "0+b"}, "|x|;|a|;|b\r\n"},
    };
    for (const auto& [before, steps, after] : cases) {
        Store s(before);
        SuggestionStore other(s.path);
        SuggestionStore* programs[] = {&s.store, &other};
        for (SuggestionStore* p : programs)
            ASSERT_TRUE(p->load({}));
        for (const std::string& step : steps) {
            SuggestionStore& p = *programs[step[0] - '0'];
            SuggestionManager m;
            ASSERT_TRUE(step[1] == '+' ? p.osveziBazo(step.substr(2))
                                       : deleteSearchSuggestion(p, m, step.substr(2)));
        }
        EXPECT_EQ(s.file(), after) << test::escaped(before) << " " << steps[0] << " " << steps[1];
    }
}
