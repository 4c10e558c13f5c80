// The link table, the result page and the exports made from it; whole pages written by
// real crawls are kept byte for byte in data/*.txt (crawl_test).

#include "compose/go_ports.h"
#include "crawler/link_list.h"
#include "crawler/results.h"

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
    list.clear(); // before any write
    EXPECT_TRUE(fresh(list[kLinkListSize - 1]));
    EXPECT_TRUE(list.holds("")) << "every unused entry holds the empty address";
    EXPECT_FALSE(list.holds("NIL"));
    list.setAddress(0, "http://e.com/A");
    list.setAddress(1, "http://E.com/a");
    EXPECT_TRUE(fresh(list[2]));
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
    for (std::size_t i : {0, 1, 2, 3, static_cast<int>(kLinkListSize) - 1})
        EXPECT_TRUE(fresh(list[i])) << i;
    EXPECT_FALSE(list.holds("http://e.com/b") || list.holds("NIL"));
    EXPECT_EQ(list.count, 5u);
    EXPECT_EQ(list.lastIndex, 4);
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

TEST(WriteHTML, CountsMatchesAndSaysWhenThereIsNone) {
    LinkList list = filled({{"http://e.com", "Red car", "T0"},
                            {"http://e.com/b", "blue", ""},
                            {"http://e.com/c", "RED", ""}});
    EXPECT_TRUE(holds(page(list, "Red"), "About 2 results<br>\r\n"));
    EXPECT_EQ(list[0].match + "|" + list[1].match, "http://e.com|");
    list.searchRange = 1;
    EXPECT_TRUE(holds(page(list, "red"), "About 1 result<br>\r\n"));
    EXPECT_TRUE(holds(page(list, "zzz"), "Your search - zzz  - did not match any documents"));
    list.remove(0);
    list.searchRange = 2; // entry 1 "blue"
    EXPECT_TRUE(holds(page(list, "nil"), "did not match")) << "removed entries are no results";
}

TEST(WriteHTML, EscapesTypedTextAndNeutralisesCrawledMarkup) {
    LinkList list = filled({{"http://e.com/?a=1&amp;b=\"><script>x()</script>", "hit <b>&\"",
                             "A &amp; B<script>alert(1)</script>"}});
    const std::string html = page(list, "hit <b>&\"", "<i>e.com</i>");
    EXPECT_TRUE(holds(html, "Search: hit &lt;b&gt;&amp;&quot; <br>\r\n"));
    EXPECT_TRUE(holds(html, "Site: &lt;i&gt;e.com&lt;/i&gt;<br>\r\n"));
    EXPECT_TRUE(holds(html, "href=\"http://e.com/?a=1&amp;b=&quot;><script>x()</script>\">"
                            "<strong>A &amp; B&lt;script&gt;alert(1)&lt;/script&gt;</strong>"));
    EXPECT_TRUE(
        holds(html, "\r\nhttp://e.com/?a=1&amp;b=\"&gt;&lt;script&gt;x()&lt;/script&gt;<br>"));
}

TEST(Exports, SortWithoutCaseAndSkipRemovedEntries) {
    LinkList list = filled({{"http://e.com/b", "B text", ""},
                            {"NIL", "NIL", ""},
                            {"http://e.com/A", "A text", ""},
                            {"http://e.com/a", "", ""},
                            {"http://e.com/b", "again", ""}});
    EXPECT_EQ(linkExport(list, "e.com"),
              "e.com\r\nhttp://e.com/A\r\nhttp://e.com/a\r\nhttp://e.com/b\r\nhttp://e.com/b\r\n");
    const std::string rule(48, '_');
    const auto entry = [&](const std::string& address, const std::string& text) {
        return "  \r\n" + rule + "\r\n" + address + "\r\n" + rule + "\r\n  \r\n" + text + "\r\n";
    };
    EXPECT_EQ(dataExport(list, "e.com"),
              "Website or domain: e.com\r\n" + rule + "\r\n" + entry("http://e.com/b", "B text") +
                  entry("http://e.com/A", "A text") + entry("http://e.com/b", "again"));
    EXPECT_EQ(linkExportName("https://e.com/x") + dataExportName("e.com"),
              "Links (e.com )Data (e.com )");
    list.clear();
    EXPECT_EQ(linkExport(list, "e.com"), "e.com\r\n");
    EXPECT_EQ(dataExport(list, "e.com"), "Website or domain: e.com\r\n" + rule + "\r\n");
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
