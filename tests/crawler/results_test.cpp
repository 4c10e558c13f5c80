// The link table, the result page and the exports made from it; whole pages written by
// real crawls are kept byte for byte in data/*.txt (crawl_test).

#include "compose/go_ports.h"
#include "crawler/link_list.h"
#include "crawler/results.h"
#include "tests/crawler/crawl_rig.h"

#include <array>
#include <gtest/gtest.h>

namespace trov {
namespace {

// The table is made on the first write: reads before it, and clear() after writes, see
// fresh entries while the counters stay; the address index follows rewrites and removals.
TEST(LinkList, ClearAndTheAddressIndex) {
    const auto fresh = [](const PageRecord& r) {
        return (r.address + r.title + r.text + r.match).empty() && r.visited;
    };
    LinkList list;
    list.count = 5;
    list.lastIndex = 4;
    list.clear(); // before any write
    EXPECT_TRUE(fresh(list[kLinkListSize - 1]) && list.holds("") && !list.holds("NIL"));
    list.setAddress(0, "http://e.com/A");
    list.setAddress(1, "http://E.com/a");
    EXPECT_TRUE(fresh(list[2]));
    list.setAddress(0, "http://e.com/b");
    EXPECT_TRUE(list.holds("http://e.com/a")) << "entry 1 still holds it";
    list.remove(1);
    EXPECT_EQ(list[1].address + list[1].text, "NILNIL");
    EXPECT_TRUE(!list.holds("http://e.com/a") && list.holds("nil"));
    list.setVisited(0, false);
    list.setTitle(2, "T");
    list.setMatch(3, "m");
    list.setText(kLinkListSize - 1, std::string(1 << 16, 'x'));
    list.clear();
    for (std::size_t i : {0, 1, 2, 3, static_cast<int>(kLinkListSize) - 1})
        EXPECT_TRUE(fresh(list[i])) << i;
    EXPECT_FALSE(list.holds("http://e.com/b") || list.holds("NIL"));
    EXPECT_EQ(list.count + list.lastIndex, 9u);
}

// Fills entries 0, 1, ... with {address, text, title} and sets the counters.
LinkList filled(std::vector<std::array<std::string, 3>> rows) {
    LinkList list;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        list.setAddress(i, rows[i][0]);
        list.setText(i, rows[i][1]);
        list.setTitle(i, rows[i][2]);
    }
    list.count = list.searchRange = rows.size();
    list.lastIndex = static_cast<long>(rows.size()) - 1;
    return list;
}

std::string page(LinkList& list, std::string words, std::string site = "e.com") {
    return WriteHTML(list, SearchInputs::from(CrawlInputs{"", std::move(words), "", ""}), site);
}

bool holds(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Counts and texts of whole pages are kept in data/*.txt; here what no crawl leaves.
TEST(WriteHTML, RemovedAndEmptyEntriesAreNoResults) {
    LinkList list = filled({{"NIL", "nil", ""}, {"", "nil", ""}});
    EXPECT_TRUE(holds(page(list, "nil"), "Your search - nil  - did not match any documents"));
    EXPECT_EQ(list[0].match + list[1].match, "");
}

TEST(WriteHTML, EscapesTypedTextAndNeutralisesCrawledMarkup) {
    LinkList list = filled({{"http://e.com/?a=1&amp;b=\"><script>x()</script>", "hit <b>&\"",
                             "A &amp; B<script>alert(1)</script>"}});
    test::expectGolden("escaped.html", page(list, "hit <b>&\"", "<i>e.com</i>"));
}

// Byte for byte in data/exports.txt: sorted without case, removed entries skipped.
TEST(Exports, SortWithoutCaseAndSkipRemovedEntries) {
    LinkList list = filled({{"http://e.com/b", "B text", ""},
                            {"NIL", "NIL", ""},
                            {"http://e.com/A", "A text", ""},
                            {"http://e.com/a", "", ""},
                            {"http://e.com/b", "again", ""}});
    const std::string full = linkExport(list, "e.com") + dataExport(list, "e.com");
    list.clear();
    test::expectGolden("exports.txt", full + linkExport(list, "e.com") + dataExport(list, "e.com"));
    EXPECT_EQ(linkExportName("https://e.com/x") + dataExportName("e.com"),
              "Links (e.com )Data (e.com )");
}

// Entry 0 stays empty and the rows come in from entry 1, in the file's order.
TEST(LinkListFile, SemicolonsGoAndLfIsAccepted) {
    LinkList list;
    list.count = 77;
    const LoadedList l = loadLinkList(list, "s;ite\nhttp://a.b/1;\nhttp://a.b/2;");
    EXPECT_EQ(l.site, "site");
    EXPECT_EQ(l.viewerText, "site\nhttp://a.b/1\nhttp://a.b/2"); // without the semicolons
    EXPECT_EQ(list.count, 2u);
    EXPECT_EQ(list[0].address, "");
    EXPECT_EQ(list[2].address, "http://a.b/2");
    for (const char* path : {"/tmp/x/list.csv", "C:\\x\\list.csv"})
        EXPECT_EQ(missingListMessage(path), "File list.csv does not exist.");
    EXPECT_EQ(missingListMessage(""), "File  does not exist.");
    EXPECT_EQ(readLinkListText("caf\xe9;"), "caf\xc3\xa9");
}

} // namespace
} // namespace trov
