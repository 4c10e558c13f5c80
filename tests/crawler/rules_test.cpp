// SPDX-License-Identifier: GPL-3.0-or-later
// The crawler's rules on links, page text and searches; the link table, the result page
// and the exports made from it (what whole crawls leave: crawl_outcome_test.cpp).

#include "compose/go_ports.h"
#include "crawler/link_list.h"
#include "crawler/link_rules.h"
#include "crawler/page_search.h"
#include "crawler/page_text.h"
#include "crawler/results.h"
#include "tests/crawler/crawl_rig.h"
#include "tests/support/env.h"

#include <array>
#include <gtest/gtest.h>

namespace trov {
namespace {

using Strings = std::vector<std::string>;
using Rows = std::vector<std::pair<std::string, std::string>>;

// What the page adds to a list that already holds one link.
Strings extract(std::string_view source) {
    Strings links = {"kept"};
    const int n = ExtractLinks(source, "A", "HREF", links);
    EXPECT_EQ(n + 1, static_cast<int>(links.size()));
    EXPECT_EQ(links.at(0), "kept");
    return {links.begin() + 1, links.end()};
}

// An unclosed quote ends one before the end; every tag starting with A counts; entities
// and blanks in a value stay; a "<" inside a tag is tag text. No link: a blank around "=",
// an empty value, no space before the name, no ">" (an empty tag text), no href at all.
// clang-format off
TEST(ExtractLinks, TakesValuesAsTheScannerReadsThem) {
    const std::vector<std::pair<std::string, Strings>> rows = {
        {R"(<a href="x.html">)", {"x.html"}}, {R"(<A HREF='x.html'>)", {"x.html"}},
        {R"(<a href=z.html title=t>)", {"z.html"}},
        {R"(<area shape=rect href="map.html">)", {"map.html"}},
        {R"(<a href="abc>)", {"ab"}}, {R"(<a href="one" HREF="two">)", {"one", "two"}},
        {R"(<abbr href="q">)", {"q"}}, {R"(<   a href="trimmed"   >)", {"trimmed"}},
        {R"(<a title="a=b" href="y">)", {"y"}}, {R"(<a href=x&amp;y>)", {"x&amp;y"}},
        {R"(<a href="  spaced ">)", {"  spaced "}}, {R"(<a href="p"<a href="q">)", {"p", "q"}},
        {"<p>text</p><a href=\"#top\"><a href='mailto:x@y'>", {"#top", "mailto:x@y"}},
        {R"(<a href = "x.html">)", {}}, {R"(<a href="">)", {}}, {R"(<a href=">)", {}},
        {R"(</a><b href="no">)", {}}, {"<a\nhref=\"x\">", {}}, {R"(<a href=)", {}},
        {R"(<a name=x>)", {}}, {R"(<a href=   >)", {}}, {"", {}}, {"<<<>>>", {}}};
    for (const auto& [source, links] : rows)
        EXPECT_EQ(extract(source), links) << source;
}

// Slashes at positions 9 and 10 (just after "scheme://x") are never looked at; everything
// but http is put after the start address; a site without a scheme loses its path.
TEST(AddressFunctions, FollowTheirRules) {
    const std::string s = "https://ex.com";
    const Rows rows = {
        {HostOf("https://h.com/x/y"), "h.com"}, {HostOf("h.com"), "h.com"},
        {HostOf("http://u@h.com:81?q=1/z"), "u@h.com:81?q=1"},
        {BaseFolderOf(s + "/dir/page.html"), s + "/dir/"}, {BaseFolderOf(s + "/dir/"), s + "/"},
        {BaseFolderOf(s), s}, {BaseFolderOf("http://a/"), "http://a/"},
        {BaseFolderOf("http://ab/"), "http://ab/"}, {BaseFolderOf("http://a/b"), "http://a/"},
        {DropTrailingSlash("a//"), "a/"}, {DropTrailingSlash(""), ""},
        {CollapseDoubleSlashes("http://a//"), "http://a//"},
        {CollapseDoubleSlashes("http://x.com/a//b"), "http://x.com/a/b"},
        {CollapseDoubleSlashes("http://x.com/a///b"), "http://x.com/a//b"},
        {CollapseDoubleSlashes("http://x.com/a////b"), "http://x.com/a//b"},
        {CollapseDoubleSlashes("http://x.com/a/////b"), "http://x.com/a///b"},
        {CollapseDoubleSlashes("ftp://a//"), "ftp://a//"},
        {CollapseDoubleSlashes("https://x//y"), "https://x/y"},
        {TrimTrailingSpaces(" a  \t "), " a  \t"}, {RemoveSpaces(" a b\tc "), "ab\tc"},
        {ResolveLink("/p", s), s + "/p"}, {ResolveLink("p", s), s + "/p"},
        {ResolveLink("http://other.org/x", s), "http://other.org/x"},
        {ResolveLink("HTTPS://other.org/x", s), "HTTPS://other.org/x"},
        {ResolveLink("httpfoo", s), "httpfoo"}, {ResolveLink("//cdn.org/x", s), s + "//cdn.org/x"},
        {ResolveLink("mailto:a@b.c", s), s + "/mailto:a@b.c"},
        {ResolveLink("#top", s), s + "/#top"},
        {ResolveLink("?q=1", s), s + "/?q=1"}, {ResolveLink("htt", s), s + "/htt"},
        {StartAddressOf("  ex.com/some/path  "), "https://ex.com"},
        {StartAddressOf("http://ex.com/dir/"), "http://ex.com/dir"},
        {StartAddressOf("http://ex.com//"), "http://ex.com/"},
        {SiteBaseOf("HTTP://Ex.com/A B/page"), "http://ex.com/ab/"}};
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i].first, rows[i].second) << "row " << i;
    for (const char* a : {"https://ex.com/a", "https://a.b/"})
        EXPECT_TRUE(IsCrawlable(a)) << a;
    for (const char* a : {"https://ex.com///a", "https://localhost/a", "https://a./", "NIL"})
        EXPECT_FALSE(IsCrawlable(a)) << a;
}

using Accepted = std::vector<std::pair<std::string, std::optional<std::string>>>;

// The duplicate test sees the link before its clean-up: "q" is held, "q/" is not. The
// start page itself is refused too, in any case.
TEST(AcceptSubpageLink, RejectsByItsSubstringsTheBaseAndDuplicates) {
    const std::string s = "https://ex.com/dir";
    LinkList list;
    list.setAddress(0, s);
    list.setAddress(1, s + "/q");
    const Accepted rows = {
        {"/p", s + "/p"}, {"p/", s + "/p"}, {"p#", s + "/p"}, {"p/#", s + "/p"}, {"q/", s + "/q"},
        {"a//b", s + "/a/b"}, {"x.php", s + "/x.php"}, {"q", {}}, {"#top", {}},
        {"HTTPS://EX.COM/other", "HTTPS://EX.COM/other"}, {"hotel.html", {}}, {"intel", {}},
        {"avoid", {}}, {"description", {}}, {"mailto:a@b.c", {}}, {"javascript:x()", {}},
        {"a%20b", {}}, {"COOKIE", {}}, {"http://other.org/x", {}}, {"https://ex.com/dir", {}},
        {"https://EX.com/DIR", {}}};
    for (const auto& [link, accepted] : rows)
        EXPECT_EQ(AcceptSubpageLink(link, s, SiteBaseOf(s), list), accepted) << link;
}

// A link is taken once whatever its spelling, but a final slash makes another address.
// Another host is kept by All links only; a host without a full stop takes a slot as
// "NIL"; "www." is ignored when hosts are compared, but the link must hold the start.
TEST(AcceptSiteLink, RejectsByHostSubstringsAndDuplicates) {
    const std::string s = "http://www.ex.com";
    LinkList list;
    list.setAddress(0, s);
    list.setAddress(1, s + "/a/b");
    const Accepted rows = {
        {"/a", s + "/a"}, {"a/", s + "/a/"}, {"c//d", s + "/c/d"}, {"/a/b/", s + "/a/b/"},
        {"HTTP://WWW.EX.COM/Up", "HTTP://WWW.EX.COM/Up"}, {"/a//b", {}}, {"/A/B", {}},
        {"x.php", {}}, {"i.JPG", {}}, {"?q=1", {}}, {"feed.xml", {}}, {"hotel.html", {}},
        {"gmail", {}}, {"#x", {}}, {"a///b", {}}, {"http://other.org/", {}},
        {"http://www.ex.com.evil.org/", {}}, {"http://www.ex.com", {}}};
    for (const auto& [link, accepted] : rows)
        EXPECT_EQ(AcceptSiteLink(link, s, CrawlMode::interLinks, list), accepted) << link;
    const std::tuple<std::string, std::string, CrawlMode, std::optional<std::string>> modes[] = {
        {"http://other.org/p", "http://ex.com", CrawlMode::AllLinks, "http://other.org/p"},
        {"http://other.org/p", "http://ex.com", CrawlMode::interLinks, {}},
        {"http://intranet/p", "http://ex.com", CrawlMode::AllLinks, "NIL"},
        {"http://ab", "http://ex.com", CrawlMode::AllLinks, {}},
        {"http://ex.com/p", s, CrawlMode::interLinks, {}},
        {"http://www.ex.com/p", s, CrawlMode::StartSlowCrawl, "http://www.ex.com/p"}};
    for (const auto& [link, start, mode, accepted] : modes)
        EXPECT_EQ(AcceptSiteLink(link, start, mode, LinkList{}), accepted) << link;
}

// Enclosed text is cut from the right, and nothing without a closing mark to its right.
TEST(PageText, RemoveEnclosedStripTagsAndTheTitle) {
    const Rows enclosed = {{"x{y{z}w}v", "x"}, {"a{b}c", "ac"}, {"a{b}c{d}e", "ace"},
                           {"a{b", "a{b"}, {"a}b{c", "a}b{c"}, {"{a}}", "}"}, {"a{b}}c{", "a}c{"},
                           {"", ""}, {"{}", ""}, {"{{}}", ""}, {"a{b}c}d{e}f", "ac}df"}};
    for (const auto& [in, out] : enclosed)
        EXPECT_EQ(RemoveEnclosed(in, '{', '}'), out) << in;
    EXPECT_EQ(RemoveEnclosed("a[b]c", '[', ']'), "ac");
    const Rows stripped = {{"a\r\n<b>x</b>  y", "ax y"}, {"foo <b>bar</b>", "foobar"}, {"", ""},
                           {"a\t\tb", "a\tb"}, {"a \tb", "a\tb"}, {"a > b", "a  b"},
                           {"&amp; stays", "&amp; stays"}, {"<p>one</p>\n<p>two</p>", "onetwo"},
                           {"end ", "end "}, {"<unclosed text", ""}};
    for (const auto& [in, out] : stripped)
        EXPECT_EQ(StripTags(in), out) << in;
    const Rows titles = {{"<title> A </title>", " A "}, {"<TITLE>A</TITLE>", ""},
                         {"</title><title>A", ""},
                         {"</title>x<title>A</title>", ""}, {"<title></title>", ""},
                         {"<title>a</title><title>b</title>", "a"}};
    for (const auto& [in, out] : titles)
        EXPECT_EQ(PageTitle(in), out) << in;
}

// All words in any order (substrings, not whole words), the phrase, never the excluded.
TEST(IsciGo, AllWordsThePhraseAndNotTheExcluded) {
    const std::tuple<const char*, const char*, const char*, const char*, bool> rows[] = {
        {"red big car", "Car  RED", "", "", true}, {"red big car", "car,red", "", "", true},
        {"red big car", " car , , red ", "", "", true}, {"red big car", "car blue", "", "", false},
        {"anything", "", "", "", true}, {"a big car here", "", "Big Car", "", true},
        {"a car big", "", "big car", "", false}, {"red car old", "red", "", "OLD", false},
        {"redcar", "car", "", "", true}};
    for (const auto& [page, words, exact, excluded, found] : rows)
        EXPECT_EQ(IsciGo(page, SearchInputs::from({"site", words, exact, excluded})), found)
            << page;
    EXPECT_EQ(SearchInputs::from(CrawlInputs{"", "  A b ", "", ""}).searchText, "a b ");
}
// clang-format on

// The table is made on the first write: reads before it, and clear() after writes, see
// fresh entries while the counters stay; the address index follows rewrites and removals.
// Texts wait in a temporary file, or in memory where none can be made, as here.
TEST(LinkList, ClearAndTheAddressIndex) {
    test::ScopedEnv env;
    env.set("TMPDIR", "/nonexistent/trov");
    LinkList list;
    const auto fresh = [&](std::size_t i) {
        return (list[i].address + list.title(i) + list.text(i) + list[i].match).empty() &&
               list[i].visited;
    };
    list.count = 5;
    list.lastIndex = 4;
    list.clear(); // before any write
    EXPECT_TRUE(fresh(kLinkListSize - 1));
    EXPECT_TRUE(list.holds(""));
    EXPECT_FALSE(list.holds("NIL"));
    list.setAddress(0, "http://e.com/A");
    list.setAddress(1, "http://E.com/a");
    EXPECT_TRUE(fresh(2));
    list.setAddress(0, "http://e.com/b");
    EXPECT_TRUE(list.holds("http://e.com/a")) << "entry 1 still holds it";
    list.remove(1);
    EXPECT_EQ(list[1].address + list.text(1), "NILNIL");
    EXPECT_FALSE(list.holds("http://e.com/a"));
    EXPECT_TRUE(list.holds("nil"));
    list.setVisited(0, false);
    list.setTitle(2, "T");
    list.setMatch(3, "m");
    list.setText(kLinkListSize - 1, std::string("t\0xt", 4));
    EXPECT_EQ(list.text(kLinkListSize - 1), std::string("t\0xt", 4));
    EXPECT_TRUE(list[kLinkListSize - 1].text.inMemory);
    list.clear();
    for (std::size_t i : {0, 1, 2, 3, static_cast<int>(kLinkListSize) - 1})
        EXPECT_TRUE(fresh(i)) << i;
    EXPECT_FALSE(list.holds("http://e.com/b"));
    EXPECT_FALSE(list.holds("NIL"));
    EXPECT_EQ(list.count + list.lastIndex, 9u);
}

// Fills entries 0, 1, ... with {address, text, title} and sets the counters.
LinkList filled(std::vector<std::array<std::string, 3>> rows) {
    LinkList list;
    for (std::size_t i = 0; i < rows.size(); ++i)
        list.setAddress(i, rows[i][0]), list.setText(i, rows[i][1]), list.setTitle(i, rows[i][2]);
    list.count = list.searchRange = rows.size();
    list.lastIndex = static_cast<long>(rows.size()) - 1;
    return list;
}

std::string page(LinkList& list, std::string words, std::string site = "e.com") {
    return WriteHTML(list, SearchInputs::from(CrawlInputs{"", std::move(words), "", ""}), site);
}

// What no crawl leaves: removed and empty entries.
TEST(WriteHTML, RemovedAndEmptyEntriesAreNoResults) {
    LinkList list = filled({{"NIL", "nil", ""}, {"", "nil", ""}});
    EXPECT_NE(page(list, "nil").find("Your search - nil  - did not match"), std::string::npos);
    EXPECT_EQ(list[0].match + list[1].match, "");
}

TEST(WriteHTML, EscapesTypedTextAndNeutralisesCrawledMarkup) {
    LinkList list = filled({{"http://e.com/?a=1&amp;b=\"><script>x()</script>", "hit <b>&\"",
                             "A &amp; B<script>alert(1)</script>"}});
    test::expectGolden("escaped.html", page(list, "hit <b>&\"", "<i>e.com</i>"));
}

// Byte for byte in data/exports.txt: sorted without case, removed entries skipped.
TEST(Exports, SortWithoutCaseAndSkipRemovedEntries) {
    // clang-format off
    LinkList list = filled({{"http://e.com/b", "B text", ""}, {"NIL", "NIL", ""},
        {"http://e.com/A", "A text", ""}, {"http://e.com/a", "", ""},
        {"http://e.com/b", "again", ""}});
    // clang-format on
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
