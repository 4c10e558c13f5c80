#include "crawler/link_list.h"

#include <gtest/gtest.h>

namespace trov {
namespace {

void expectFresh(const PageRecord& r, std::size_t i) {
    EXPECT_EQ(r.address, "") << "entry " << i;
    EXPECT_TRUE(r.visited) << "entry " << i;
    EXPECT_EQ(r.title, "") << "entry " << i;
    EXPECT_EQ(r.text, "") << "entry " << i;
    EXPECT_EQ(r.match, "") << "entry " << i;
}

constexpr std::size_t kProbes[] = {0, 1, 7, kCrawlLimit, kLinkListSize - 1};

TEST(LinkList, ReadsBeforeAnyWriteGiveFreshRecords) {
    const LinkList list;
    EXPECT_EQ(list.size(), kLinkListSize);
    for (std::size_t i : kProbes)
        expectFresh(list[i], i);
    EXPECT_EQ(list.count, 0u);
    EXPECT_EQ(list.searchRange, 0u);
    EXPECT_EQ(list.lastIndex, -1);
    EXPECT_TRUE(list.holds("")) << "every unused entry holds the empty address";
    EXPECT_FALSE(list.holds("http://e.com"));
    EXPECT_FALSE(list.holds("NIL"));
}

TEST(LinkList, ClearBeforeAnyWriteChangesNothing) {
    LinkList list;
    list.count = 12;
    list.searchRange = 5;
    list.lastIndex = 11;
    list.clear();
    list.clear();
    EXPECT_EQ(list.count, 12u);
    EXPECT_EQ(list.searchRange, 5u);
    EXPECT_EQ(list.lastIndex, 11);
    for (std::size_t i : kProbes)
        expectFresh(list[i], i);
    EXPECT_FALSE(list.holds("http://e.com"));
    // The list still takes writes afterwards.
    list.setAddress(3, "http://e.com/x");
    EXPECT_EQ(list[3].address, "http://e.com/x");
    EXPECT_TRUE(list.holds("HTTP://E.COM/X"));
}

// Each writer as the list's first write: the entry written changes, every other stays fresh.
TEST(LinkList, AFirstWriteOfEachFieldTouchesOnlyItsEntry) {
    struct Case {
        const char* name;
        void (*write)(LinkList&);
        PageRecord expected;
    };
    const Case cases[] = {
        {"address",
         [](LinkList& l) { l.setAddress(9, "http://e.com"); },
         {"http://e.com", true, "", "", ""}},
        {"visited", [](LinkList& l) { l.setVisited(9, false); }, {"", false, "", "", ""}},
        {"title", [](LinkList& l) { l.setTitle(9, "T"); }, {"", true, "T", "", ""}},
        {"text", [](LinkList& l) { l.setText(9, "words"); }, {"", true, "", "words", ""}},
        {"match", [](LinkList& l) { l.setMatch(9, "m"); }, {"", true, "", "", "m"}},
        {"remove", [](LinkList& l) { l.remove(9); }, {"NIL", true, "", "NIL", ""}},
    };
    for (const Case& c : cases) {
        LinkList list;
        c.write(list);
        const PageRecord& r = list[9];
        EXPECT_EQ(r.address, c.expected.address) << c.name;
        EXPECT_EQ(r.visited, c.expected.visited) << c.name;
        EXPECT_EQ(r.title, c.expected.title) << c.name;
        EXPECT_EQ(r.text, c.expected.text) << c.name;
        EXPECT_EQ(r.match, c.expected.match) << c.name;
        for (std::size_t i : {std::size_t{8}, std::size_t{10}, kLinkListSize - 1})
            expectFresh(list[i], i);
        EXPECT_EQ(list.count, 0u) << c.name;
    }
}

TEST(LinkList, MakingTheTableChangesNoEntry) {
    LinkList list;
    list.count = 3;
    list.makeTable();
    list.makeTable();
    for (std::size_t i : kProbes)
        expectFresh(list[i], i);
    EXPECT_EQ(list.count, 3u);
    EXPECT_FALSE(list.holds("NIL"));
    list.setText(2, "kept");
    list.makeTable();
    EXPECT_EQ(list[2].text, "kept");
}

TEST(LinkList, TheIndexFollowsRewritesAndRemovals) {
    LinkList list;
    list.setAddress(0, "http://e.com/A");
    list.setAddress(1, "http://E.com/a");
    EXPECT_TRUE(list.holds("http://e.com/a"));
    list.setAddress(0, "http://e.com/b");
    EXPECT_TRUE(list.holds("http://e.com/a")) << "entry 1 still holds it";
    list.remove(1);
    EXPECT_FALSE(list.holds("http://e.com/a"));
    EXPECT_TRUE(list.holds("nil"));
    list.setAddress(0, "");
    EXPECT_FALSE(list.holds("http://e.com/b"));
}

TEST(LinkList, ClearAfterWritesEmptiesEveryEntryAndKeepsTheCounters) {
    LinkList list;
    list.setAddress(0, "http://e.com");
    list.setVisited(0, false);
    list.setText(kLinkListSize - 1, std::string(1 << 16, 'x'));
    list.remove(4);
    list.count = 5;
    list.lastIndex = 4;
    list.clear();
    for (std::size_t i : {std::size_t{0}, std::size_t{4}, kLinkListSize - 1})
        expectFresh(list[i], i);
    EXPECT_FALSE(list.holds("http://e.com"));
    EXPECT_FALSE(list.holds("NIL"));
    EXPECT_EQ(list.count, 5u);
    EXPECT_EQ(list.lastIndex, 4);
}

} // namespace
} // namespace trov
