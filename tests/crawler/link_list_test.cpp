#include "crawler/link_list.h"

#include <gtest/gtest.h>

namespace trov {
namespace {

bool fresh(const PageRecord& r) {
    return r.address.empty() && r.visited && r.title.empty() && r.text.empty() && r.match.empty();
}

// The table is made on the first write: reads before it, and clear() after writes, see
// fresh entries while the counters stay; the address index follows rewrites and removals.
TEST(LinkList, ClearAndTheAddressIndex) {
    LinkList list;
    list.count = 5;
    list.clear(); // before any write
    EXPECT_TRUE(fresh(list[kLinkListSize - 1]));
    EXPECT_TRUE(list.holds("")) << "every unused entry holds the empty address";
    EXPECT_FALSE(list.holds("NIL"));

    list.setAddress(0, "http://e.com/A");
    list.setAddress(1, "http://E.com/a");
    EXPECT_TRUE(fresh(list[2]));
    EXPECT_TRUE(list.holds("http://e.com/a"));
    list.setAddress(0, "http://e.com/b");
    EXPECT_TRUE(list.holds("http://e.com/a")) << "entry 1 still holds it";
    list.remove(1);
    EXPECT_EQ(list[1].address + list[1].text, "NILNIL");
    EXPECT_FALSE(list.holds("http://e.com/a"));
    EXPECT_TRUE(list.holds("nil"));
    list.setVisited(0, false);
    list.setTitle(2, "T");
    list.setMatch(3, "m");
    list.setText(kLinkListSize - 1, std::string(1 << 16, 'x'));
    list.lastIndex = 4;
    list.clear();
    for (std::size_t i :
         {std::size_t{0}, std::size_t{1}, std::size_t{2}, std::size_t{3}, kLinkListSize - 1})
        EXPECT_TRUE(fresh(list[i])) << i;
    EXPECT_FALSE(list.holds("http://e.com/b"));
    EXPECT_FALSE(list.holds("NIL"));
    EXPECT_EQ(list.count, 5u);
    EXPECT_EQ(list.lastIndex, 4);
}

} // namespace
} // namespace trov
