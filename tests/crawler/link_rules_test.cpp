#include "compose/go_ports.h"
#include "crawler/link_list.h"
#include "crawler/link_rules.h"
#include "crawler/page_search.h"
#include "crawler/page_text.h"

#include <gtest/gtest.h>

namespace trov {
namespace {

// What the page adds to a list that already holds one link.
std::vector<std::string> extract(std::string_view source) {
    std::vector<std::string> links = {"kept"};
    const int n = ExtractLinks(source, "A", "HREF", links);
    EXPECT_EQ(n + 1, static_cast<int>(links.size()));
    EXPECT_EQ(links.at(0), "kept");
    return {links.begin() + 1, links.end()};
}

using Strings = std::vector<std::string>;

TEST(ExtractLinks, TakesValuesAsTheScannerReadsThem) {
    const std::vector<std::pair<std::string, Strings>> cases = {
        {R"(<a href="x.html">)", {"x.html"}},
        {R"(<A HREF='x.html'>)", {"x.html"}},
        {R"(<a href=z.html title=t>)", {"z.html"}},
        {R"(<area shape=rect href="map.html">)", {"map.html"}},
        {R"(<a href="abc>)", {"ab"}}, // unclosed quote: ends one before the end
        {R"(<a href="one" HREF="two">)", {"one", "two"}},
        {R"(<abbr href="q">)", {"q"}}, // every tag starting with A
        {R"(<   a href="trimmed"   >)", {"trimmed"}},
        {R"(<a title="a=b" href="y">)", {"y"}},
        {R"(<a href=x&amp;y>)", {"x&amp;y"}},       // entities stay
        {R"(<a href="  spaced ">)", {"  spaced "}}, // no trimming of the value
        {R"(<a href="p"<a href="q">)", {"p", "q"}}, // the "<" inside is tag text
        {"<p>text</p><a href=\"#top\"><a href='mailto:x@y'>", {"#top", "mailto:x@y"}},
    };
    for (const auto& [source, links] : cases)
        EXPECT_EQ(extract(source), links) << source;
    // No link: a blank around "=", an empty value, no space before the name, no ">" (an
    // empty tag text), no href at all.
    for (const char* source :
         {R"(<a href = "x.html">)", R"(<a href="">)", R"(<a href=">)", R"(</a><b href="no">)",
          "<a\nhref=\"x\">", R"(<a href=)", R"(<a name=x>)", R"(<a href=   >)", "", "<<<>>>"})
        EXPECT_EQ(extract(source), Strings{}) << source;
}

TEST(AddressFunctions, FollowTheirRules) {
    const std::string s = "https://ex.com";
    EXPECT_EQ(HostOf("https://h.com/x/y"), "h.com");
    EXPECT_EQ(HostOf("h.com"), "h.com");
    EXPECT_EQ(HostOf("http://u@h.com:81?q=1/z"), "u@h.com:81?q=1");
    EXPECT_EQ(BaseFolderOf(s + "/dir/page.html"), s + "/dir/");
    EXPECT_EQ(BaseFolderOf(s + "/dir/"), s + "/");
    EXPECT_EQ(BaseFolderOf(s), s);
    EXPECT_EQ(BaseFolderOf("http://a/"), "http://a/");
    EXPECT_EQ(BaseFolderOf("http://ab/"), "http://ab/"); // slash at position 10 is the last
    EXPECT_EQ(BaseFolderOf("http://a/b"), "http://a/");  // slash at position 9
    EXPECT_EQ(DropTrailingSlash("a//"), "a/");
    EXPECT_EQ(DropTrailingSlash(""), "");
    EXPECT_EQ(CollapseDoubleSlashes("http://a//"), "http://a//"); // position 9 is not visited
    EXPECT_EQ(CollapseDoubleSlashes("http://x.com/a//b"), "http://x.com/a/b");
    EXPECT_EQ(CollapseDoubleSlashes("http://x.com/a///b"), "http://x.com/a//b");
    EXPECT_EQ(CollapseDoubleSlashes("http://x.com/a////b"), "http://x.com/a//b");
    EXPECT_EQ(CollapseDoubleSlashes("ftp://a//"), "ftp://a//"); // shorter than 10
    EXPECT_EQ(CollapseDoubleSlashes("https://x//y"), "https://x/y");
    EXPECT_TRUE(IsCrawlable("https://ex.com/a"));
    EXPECT_FALSE(IsCrawlable("https://ex.com///a"));
    EXPECT_FALSE(IsCrawlable("https://localhost/a"));
    EXPECT_FALSE(IsCrawlable("https://a./"));
    EXPECT_TRUE(IsCrawlable("https://a.b/"));
    EXPECT_FALSE(IsCrawlable("NIL"));
    EXPECT_EQ(TrimTrailingSpaces(" a  \t "), " a  \t");
    EXPECT_EQ(RemoveSpaces(" a b\tc "), "ab\tc");
}

TEST(ResolveLink, PutsEverythingButHttpAfterTheStartAddress) {
    const std::string s = "https://ex.com";
    EXPECT_EQ(ResolveLink("/p", s), s + "/p");
    EXPECT_EQ(ResolveLink("p", s), s + "/p");
    EXPECT_EQ(ResolveLink("http://other.org/x", s), "http://other.org/x");
    EXPECT_EQ(ResolveLink("HTTPS://other.org/x", s), "HTTPS://other.org/x");
    EXPECT_EQ(ResolveLink("httpfoo", s), "httpfoo");
    EXPECT_EQ(ResolveLink("//cdn.org/x", s), s + "//cdn.org/x");
    EXPECT_EQ(ResolveLink("mailto:a@b.c", s), s + "/mailto:a@b.c");
    EXPECT_EQ(ResolveLink("#top", s), s + "/#top");
    EXPECT_EQ(ResolveLink("?q=1", s), s + "/?q=1");
    EXPECT_EQ(ResolveLink("htt", s), s + "/htt");
}

TEST(StartAddress, DropsThePathOfASchemelessSite) {
    EXPECT_EQ(StartAddressOf("  ex.com/some/path  "), "https://ex.com");
    EXPECT_EQ(StartAddressOf("http://ex.com/dir/"), "http://ex.com/dir");
    EXPECT_EQ(StartAddressOf("http://ex.com//"), "http://ex.com/");
    EXPECT_EQ(SiteBaseOf("HTTP://Ex.com/A B/page"), "http://ex.com/ab/");
}

using RuleCase = std::pair<std::string, std::optional<std::string>>;

TEST(AcceptSubpageLink, RejectsByItsSubstringsAndTheBase) {
    const std::string s = "https://ex.com/dir";
    const std::string b = SiteBaseOf(s); // https://ex.com/
    LinkList list;
    list.setAddress(0, s);
    const std::vector<RuleCase> cases = {{"/p", s + "/p"},
                                         {"p/", s + "/p"},
                                         {"p#", s + "/p"},
                                         {"p/#", s + "/p"},
                                         {"HTTPS://EX.COM/other", "HTTPS://EX.COM/other"},
                                         {"a//b", s + "/a/b"},
                                         {"x.php", s + "/x.php"}};
    for (const auto& [link, accepted] : cases)
        EXPECT_EQ(AcceptSubpageLink(link, s, b, list), accepted) << link;
    // The start page itself is refused too, in any case.
    for (const char* link :
         {"#top", "hotel.html", "intel", "avoid", "description", "mailto:a@b.c", "javascript:x()",
          "a%20b", "COOKIE", "http://other.org/x", "https://ex.com/dir", "https://EX.com/DIR"})
        EXPECT_EQ(AcceptSubpageLink(link, s, b, list), std::nullopt) << link;
}

TEST(AcceptSubpageLink, ComparesTheLinkBeforeItsCleanUp) {
    const std::string s = "https://ex.com";
    LinkList list;
    list.setAddress(0, s);
    list.setAddress(1, s + "/p");
    EXPECT_EQ(AcceptSubpageLink("p", s, SiteBaseOf(s), list), std::nullopt);
    // Stored without the slash, so the slashed form passes the duplicate test.
    EXPECT_EQ(AcceptSubpageLink("p/", s, SiteBaseOf(s), list), s + "/p");
}

TEST(AcceptSiteLink, RejectsByHostSubstringsAndDuplicates) {
    const std::string s = "http://www.ex.com";
    LinkList list;
    list.setAddress(0, s);
    const std::vector<RuleCase> cases = {{"/a", s + "/a"},
                                         {"a/", s + "/a/"},
                                         {"a//b", s + "/a/b"},
                                         {"HTTP://WWW.EX.COM/Up", "HTTP://WWW.EX.COM/Up"}};
    for (const auto& [link, accepted] : cases)
        EXPECT_EQ(AcceptSiteLink(link, s, CrawlMode::interLinks, list), accepted) << link;
    // Entry 0 still holds the start page, so it is refused as a duplicate.
    for (const char* link :
         {"x.php", "i.JPG", "?q=1", "feed.xml", "hotel.html", "gmail", "#x", "a///b",
          "http://other.org/", "http://www.ex.com.evil.org/", "http://www.ex.com"})
        EXPECT_EQ(AcceptSiteLink(link, s, CrawlMode::interLinks, list), std::nullopt) << link;
}

TEST(AcceptSiteLink, AllLinksKeepsOtherHosts) {
    const std::string s = "http://ex.com";
    LinkList list;
    EXPECT_EQ(AcceptSiteLink("http://other.org/p", s, CrawlMode::AllLinks, list),
              "http://other.org/p");
    EXPECT_EQ(AcceptSiteLink("http://other.org/p", s, CrawlMode::interLinks, list), std::nullopt);
    // A host without a full stop still takes a slot, as "NIL".
    EXPECT_EQ(AcceptSiteLink("http://intranet/p", s, CrawlMode::AllLinks, list), "NIL");
    EXPECT_EQ(AcceptSiteLink("http://ab", s, CrawlMode::AllLinks, list), std::nullopt);
}

TEST(AcceptSiteLink, WwwIsIgnoredInTheHostComparison) {
    LinkList list;
    EXPECT_EQ(AcceptSiteLink("http://ex.com/p", "http://www.ex.com", CrawlMode::interLinks, list),
              std::nullopt)
        << "must still contain the start address";
    EXPECT_EQ(
        AcceptSiteLink("http://www.ex.com/p", "http://www.ex.com", CrawlMode::StartSlowCrawl, list),
        "http://www.ex.com/p");
}

TEST(AcceptSiteLink, ADoubleSlashLinkIsTakenOnce) {
    const std::string s = "http://ex.com";
    LinkList list;
    const auto first = AcceptSiteLink("/a//b", s, CrawlMode::interLinks, list);
    ASSERT_EQ(first, s + "/a/b");
    list.setAddress(0, *first);
    EXPECT_EQ(AcceptSiteLink("/a//b", s, CrawlMode::interLinks, list), std::nullopt);
    EXPECT_EQ(AcceptSiteLink("/A/B", s, CrawlMode::interLinks, list), std::nullopt);
    // The final slash still makes a different address.
    EXPECT_EQ(AcceptSiteLink("/a/b/", s, CrawlMode::interLinks, list), s + "/a/b/");
}

using EnclosedCase = std::pair<std::string, std::string>;

TEST(RemoveEnclosed, CutsFromTheRight) {
    const std::vector<EnclosedCase> cases = {
        {"x{y{z}w}v", "x"},
        {"a{b}c", "ac"},
        {"a{b}c{d}e", "ace"},
        {"a{b", "a{b"}, // no closing mark to the right: nothing removed
        {"a}b{c", "a}b{c"},
        {"{a}}", "}"},
        {"a{b}}c{", "a}c{"},
        {"", ""},
        {"{}", ""},
        {"{{}}", ""},
        {"a{b}c}d{e}f", "ac}df"}};
    for (const auto& [in, out] : cases)
        EXPECT_EQ(RemoveEnclosed(in, '{', '}'), out) << in;
    EXPECT_EQ(RemoveEnclosed("a[b]c", '[', ']'), "ac");
}

TEST(StripTags, DropsTagsBreaksAndThinsBlanks) {
    const std::vector<EnclosedCase> cases = {{"a\r\n<b>x</b>  y", "ax y"},
                                             {"foo <b>bar</b>", "foobar"},
                                             {"", ""},
                                             {"a\t\tb", "a\tb"},
                                             {"a \tb", "a\tb"},
                                             {"a > b", "a  b"},
                                             {"&amp; stays", "&amp; stays"},
                                             {"<p>one</p>\n<p>two</p>", "onetwo"},
                                             {"end ", "end "},
                                             {"<unclosed text", ""}};
    for (const auto& [in, out] : cases)
        EXPECT_EQ(StripTags(in), out) << in;
}

TEST(PageTitle, IsExactAndLowerCase) {
    EXPECT_EQ(PageTitle("<title> A </title>"), " A ");
    EXPECT_EQ(PageTitle("<TITLE>A</TITLE>"), "");
    EXPECT_EQ(PageTitle("</title><title>A"), "");
    EXPECT_EQ(PageTitle("</title>x<title>A</title>"), "");
    EXPECT_EQ(PageTitle("<title></title>"), "");
    EXPECT_EQ(PageTitle("<title>a</title><title>b</title>"), "a");
}

TEST(IsciGo, AllWordsThePhraseAndNotTheExcluded) {
    auto search = [](std::string words, std::string exact, std::string excluded) {
        return SearchInputs::from(CrawlInputs{"site", words, exact, excluded});
    };
    EXPECT_TRUE(IsciGo("red big car", search("Car  RED", "", "")));
    EXPECT_TRUE(IsciGo("red big car", search("car,red", "", "")));
    EXPECT_TRUE(IsciGo("red big car", search(" car , , red ", "", "")));
    EXPECT_FALSE(IsciGo("red big car", search("car blue", "", "")));
    EXPECT_TRUE(IsciGo("anything", search("", "", "")));
    EXPECT_TRUE(IsciGo("a big car here", search("", "Big Car", "")));
    EXPECT_FALSE(IsciGo("a car big", search("", "big car", "")));
    EXPECT_FALSE(IsciGo("red car old", search("red", "", "OLD")));
    EXPECT_TRUE(IsciGo("redcar", search("car", "", ""))); // substrings, not whole words
    EXPECT_EQ(SearchInputs::from(CrawlInputs{"", "  A b ", "", ""}).searchText, "a b ");
}

} // namespace
} // namespace trov
