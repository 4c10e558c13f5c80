#include "compose/go_ports.h"
#include "crawler/link_list.h"
#include "crawler/results.h"
#include "tests/crawler/fixture_site.h"

#include <gtest/gtest.h>

namespace trov {
namespace {

void put(LinkList& list, std::size_t i, std::string address, std::string text,
         std::string title = {}) {
    list.setAddress(i, std::move(address));
    list.setText(i, std::move(text));
    list.setTitle(i, std::move(title));
}

SearchInputs words(std::string w) {
    return SearchInputs::from(CrawlInputs{"", std::move(w), "", ""});
}

TEST(WriteHTML, OneMatchHasNoPluralAndTwoHaveIt) {
    LinkList list;
    put(list, 0, "http://e.com", "Red car", "T0");
    put(list, 1, "http://e.com/b", "blue", "");
    put(list, 2, "http://e.com/c", "RED", "");
    list.count = list.searchRange = 3;
    EXPECT_EQ(WriteHTML(list, words("Red"), "e.com"),
              test::expectedResultPage("red ", "e.com",
                                       {{"http://e.com", "T0"}, {"http://e.com/c", ""}}));
    EXPECT_EQ(list[0].match, "http://e.com");
    EXPECT_EQ(list[1].match, "");
    list.searchRange = 1;
    EXPECT_NE(WriteHTML(list, words("red"), "e.com").find("About 1 result<br>\r\n"),
              std::string::npos);
}

TEST(WriteHTML, NoMatchHasTwoSpacesBeforeTheDash) {
    LinkList list;
    put(list, 0, "http://e.com", "text");
    list.count = list.searchRange = 1;
    EXPECT_EQ(WriteHTML(list, words("zzz"), "e.com"),
              test::expectedResultPage("zzz ", "e.com", {}));
    EXPECT_NE(WriteHTML(list, words("zzz"), "e.com").find("zzz  - did not"), std::string::npos);
}

TEST(WriteHTML, EscapesTypedTextAndNeutralisesCrawledMarkup) {
    LinkList list;
    put(list, 0, "http://e.com/?a=1&amp;b=\"><script>x()</script>", "hit <b>&\"",
        "A &amp; B<script>alert(1)</script>");
    list.count = list.searchRange = 1;
    const std::string page = WriteHTML(list, words("hit <b>&\""), "<i>e.com</i>");
    EXPECT_NE(page.find("Search: hit &lt;b&gt;&amp;&quot; <br>\r\n"), std::string::npos);
    EXPECT_NE(page.find("Site: &lt;i&gt;e.com&lt;/i&gt;<br>\r\n"), std::string::npos);
    EXPECT_NE(page.find("href=\"http://e.com/?a=1&amp;b=&quot;><script>x()</script>\">"
                        "<strong>A &amp; B&lt;script&gt;alert(1)&lt;/script&gt;</strong>"),
              std::string::npos);
    EXPECT_NE(page.find("\r\nhttp://e.com/?a=1&amp;b=\"&gt;&lt;script&gt;x()&lt;/script&gt;<br>"),
              std::string::npos);
}

TEST(WriteHTML, RemovedAndEmptyEntriesAreNoResults) {
    LinkList list;
    list.remove(0);
    list.count = list.searchRange = 2; // entry 1 empty
    EXPECT_NE(WriteHTML(list, words("nil"), "s").find("did not match"), std::string::npos);
}

TEST(Exports, SortWithoutCaseAndSkipRemovedEntries) {
    LinkList list;
    put(list, 0, "http://e.com/b", "B text");
    put(list, 1, "NIL", "NIL");
    put(list, 2, "http://e.com/A", "A text");
    put(list, 3, "http://e.com/a", "");
    put(list, 4, "http://e.com/b", "again");
    list.count = 5;
    list.lastIndex = 4;
    EXPECT_EQ(sortedLinks(list), (std::vector<std::string>{"http://e.com/A", "http://e.com/a",
                                                           "http://e.com/b", "http://e.com/b"}));
    EXPECT_EQ(linkExport(list, "e.com"),
              "e.com\r\nhttp://e.com/A\r\nhttp://e.com/a\r\nhttp://e.com/b\r\nhttp://e.com/b\r\n");
    const std::string rule(48, '_');
    EXPECT_EQ(dataExport(list, "e.com"),
              "Website or domain: e.com\r\n" + rule + "\r\n" + "  \r\n" + rule +
                  "\r\nhttp://e.com/b\r\n" + rule + "\r\n  \r\nB text\r\n" + "  \r\n" + rule +
                  "\r\nhttp://e.com/A\r\n" + rule + "\r\n  \r\nA text\r\n" + "  \r\n" + rule +
                  "\r\nhttp://e.com/b\r\n" + rule + "\r\n  \r\nagain\r\n");
    EXPECT_EQ(linkExportName("https://e.com/x"), "Links (e.com )");
    EXPECT_EQ(dataExportName("e.com"), "Data (e.com )");
    list.clear();
    EXPECT_EQ(linkExport(list, "e.com"), "e.com\r\n");
    EXPECT_EQ(dataExport(list, "e.com"), "Website or domain: e.com\r\n" + rule + "\r\n");
}

// Entry 0 stays empty and the rows come in from entry 1, in the file's order.
TEST(LinkListFile, SemicolonsGoAndLfIsAccepted) {
    LinkList list;
    list.count = 77;
    const std::string file = "s;ite\nhttp://a.b/1;\nhttp://a.b/2;";
    const LoadedList l = loadLinkList(list, file);
    EXPECT_EQ(l.site, "site");
    EXPECT_EQ(l.viewerText, "site\nhttp://a.b/1\nhttp://a.b/2"); // without the semicolons
    EXPECT_EQ(list.count, 2u);
    EXPECT_EQ(list[0].address, "");
    EXPECT_EQ(list[2].address, "http://a.b/2");
    EXPECT_EQ(missingListMessage("/tmp/x/list.csv"), "File list.csv does not exist.");
    EXPECT_EQ(missingListMessage(""), "File  does not exist.");
    EXPECT_EQ(missingListMessage("C:\\x\\list.csv"), "File list.csv does not exist.");
    EXPECT_EQ(readLinkListText("caf\xe9;"), "caf\xc3\xa9");
}

} // namespace
} // namespace trov
