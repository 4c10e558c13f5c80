#include "crawler/curl_page_source.h"
#include "crawler/results.h"
#include "tests/crawler/crawl_rig.h"
#include "tests/crawler/fixture_site.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace trov {
namespace {

using test::HttpResponse;

class CrawlTest : public ::testing::Test {
protected:
    CrawlTest() : rig(source) {
        test::serveFixtureSite(server);
        p = server.base();
    }

    void crawl(CrawlMode mode, std::string words, std::string exact = {},
               std::string excluded = {}) {
        rig.engine.clearLinkList();
        rig.run(mode, CrawlInputs{p, std::move(words), std::move(exact), std::move(excluded)});
    }
    std::vector<std::string> addresses() const {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < list().count; ++i)
            out.push_back(list()[i].address);
        return out;
    }
    std::vector<std::string> withBase(const std::vector<std::string>& paths) const {
        std::vector<std::string> out;
        for (const auto& s : paths)
            out.push_back(s.rfind("http", 0) == 0 ? s : p + s);
        return out;
    }
    const LinkList& list() const { return rig.engine.linkList(); }

    test::HttpServer server;
    CurlPageSource source;
    test::CrawlRig rig;
    std::string p;
};

const std::vector<std::string> kInternal = {
    "/a.html",        "/b.html",    "/c.html",     "/d/e.html",
    "/area.html",     "/two1.html", "/two2.html",  "/missing.html",
    "/moved",         "/deep/",     "/empty.html", "/a.html/",
    "/deep/one.html", "/",          "/one.html",   "/deep/two.html"};

TEST_F(CrawlTest, SubpagesCrawlOneLevelAndSearchThem) {
    crawl(CrawlMode::StartFastCrawl, "Red car");
    auto expected =
        withBase({"/a.html", "/b.html", "/c.html", "/d/e.html", "/area.html", "/two1.html",
                  "/two2.html", "/missing.html", "/moved", "/deep", "/empty.html", "/a.html"});
    expected.insert(expected.begin(), p);
    EXPECT_EQ(addresses(), expected);
    EXPECT_EQ(list()[8].text, "Not found"); // the 404 page's own text
    EXPECT_EQ(list()[11].text, "");
    EXPECT_EQ(rig.engine.outcome(), CrawlOutcome::ResultPage);
    EXPECT_EQ(rig.resultPage(),
              test::expectedResultPage("red car ", p,
                                       {{p, "Home page"},
                                        {p + "/a.html", "Page A"},
                                        {p + "/c.html", "C"}, // brackets stay in this crawl
                                        {p + "/moved", "Moved"},
                                        {p + "/deep", "Deep"},
                                        {p + "/a.html", "Page A"}}));
    EXPECT_EQ(rig.progress.counter, "Found 13 items");
    EXPECT_NE(std::find(rig.progress.events.begin(), rig.progress.events.end(),
                        "caption Crawl main page subpages"),
              rig.progress.events.end());
}

TEST_F(CrawlTest, InternalLinksExpandBreadthFirstAndShowTheSortedList) {
    crawl(CrawlMode::interLinks, "");
    EXPECT_EQ(addresses(), withBase(kInternal));
    EXPECT_EQ(rig.engine.outcome(), CrawlOutcome::LinksShown);
    EXPECT_EQ(rig.progress.linksCaption, "Trov -  Internal Links on a website: " + p);
    auto sorted = withBase(kInternal); // all in lower case: sorted without case too
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(rig.progress.links, sorted);
    // Never a request for another host, and the double-slash link only once.
    for (const auto& r : server.requests())
        EXPECT_EQ(r.headers.at("host"), p.substr(7));
}

TEST_F(CrawlTest, AllLinksStoresOtherHostsButNeverExpandsThem) {
    crawl(CrawlMode::AllLinks, "");
    auto expected = withBase(kInternal);
    expected.insert(expected.begin() + 3, "http://other.example/x.html"); // as the page links it
    EXPECT_EQ(addresses(), expected);
    EXPECT_EQ(rig.progress.linksCaption, "Trov -  All links on a website: " + p);
    EXPECT_EQ(rig.progress.links.back(), "http://other.example/x.html");
    EXPECT_EQ(rig.progress.links.size(), 17u);
}

TEST_F(CrawlTest, SiteCrawlFetchesEveryPageAndDropsBracketedText) {
    crawl(CrawlMode::StartSlowCrawl, "red car");
    EXPECT_EQ(addresses(), withBase(kInternal));
    EXPECT_EQ(rig.resultPage(), test::expectedResultPage("red car ", p,
                                                         {{p + "/a.html", "Page A"},
                                                          {p + "/moved", "Moved"},
                                                          {p + "/deep/", "Deep"},
                                                          {p + "/deep/one.html", "One"},
                                                          {p + "/", "Home page"},
                                                          {p + "/deep/two.html", "Two"}}));
    EXPECT_EQ(list()[13].text.find("braced"), std::string::npos);
    EXPECT_EQ(rig.progress.counter, "Processed 16 of 16 items");
}

TEST_F(CrawlTest, ExactPhraseAloneAndExcludedWord) {
    crawl(CrawlMode::StartFastCrawl, "", "RED");
    EXPECT_NE(rig.resultPage().find("About 10 results<br>"), std::string::npos);
    crawl(CrawlMode::StartFastCrawl, "red", "", "old");
    EXPECT_NE(rig.resultPage().find("About 9 results<br>"), std::string::npos);
    EXPECT_EQ(rig.resultPage().find("two2.html\"><strong>"), std::string::npos);
}

TEST_F(CrawlTest, NoLinksFoundOnAPageWithoutLinks) {
    test::HttpServer bare;
    bare.route("/", HttpResponse{200, "<title>x</title> nothing here", "text/html", {}, 0});
    rig.run(CrawlMode::interLinks, CrawlInputs{bare.base(), "", "", ""});
    EXPECT_EQ(rig.engine.outcome(), CrawlOutcome::NoLinksFound);
    EXPECT_EQ(rig.messages.texts(),
              std::vector<std::string>{"No links found" + std::string(27, ' ')});
    EXPECT_TRUE(rig.progress.links.empty());
    // A sub-page crawl of the same page is the start page alone.
    rig.run(CrawlMode::StartFastCrawl, CrawlInputs{bare.base(), "nothing", "", ""});
    EXPECT_EQ(rig.progress.counter, "Found 1 items");
    EXPECT_EQ(rig.resultPage(),
              test::expectedResultPage("nothing ", bare.base(), {{bare.base(), "x"}}));
}

TEST_F(CrawlTest, ListCrawlFetchesOnlyAddressesInsideTheSite) {
    const std::string file = p + "\r\n" + p + "/a.html;\r\n" + p + "/c.html\r\n" +
                             "http://other.example/x.html\r\n" + p + "/missing.html\r\n" +
                             "file:///etc/hostname#" + p + "\r\n";
    const LoadedList loaded = loadLinkList(rig.engine.linkList(), file);
    rig.engine.resetFlags();
    rig.engine.setListReady(true);
    rig.engine.run(CrawlMode::CrawlCSV, CrawlInputs{loaded.site, "red", "", ""});
    EXPECT_EQ(list().count, 5u);
    EXPECT_EQ(list()[3].text, "NIL"); // another site: not fetched
    EXPECT_EQ(list()[5].text, "NIL"); // not http: never opened
    EXPECT_EQ(list()[2].text, "C car gamma");
    EXPECT_EQ(rig.resultPage(), test::expectedResultPage("red ", p, {{p + "/a.html", "Page A"}}));
    EXPECT_FALSE(rig.engine.listReady());
    EXPECT_EQ(rig.progress.counter, "Processed 5 of 5 items");
    // The export reads back as the same list.
    EXPECT_EQ(linkExport(list(), p), p + "\r\nfile:///etc/hostname#" + p + "\r\n" + p +
                                         "/a.html\r\n" + p + "/c.html\r\n" + p +
                                         "/missing.html\r\nhttp://other.example/x.html\r\n");
    // The same list without search words is refused.
    rig.run(CrawlMode::CrawlCSV, CrawlInputs{p, "", "", ""});
    EXPECT_EQ(rig.engine.outcome(), CrawlOutcome::Refused);
    EXPECT_EQ(rig.messages.texts(),
              std::vector<std::string>{
                  "There is nothing to search.\r\n\r\nPlease fill in at least one field."});
    EXPECT_TRUE(rig.engine.cancelRequested());
}

TEST_F(CrawlTest, StopKeepsWhatWasFoundAndCancelShowsNothing) {
    std::string stopAt = "Found 4 items", cancelAt;
    rig.progress.onCounter = [&](const std::string& c) {
        if (c == stopAt)
            rig.engine.requestStop();
        if (c == cancelAt)
            rig.engine.requestCancel();
    };
    crawl(CrawlMode::StartFastCrawl, "red");
    EXPECT_EQ(list().count, 4u);
    EXPECT_EQ(rig.resultPage(),
              test::expectedResultPage(
                  "red ", p, {{p, "Home page"}, {p + "/a.html", "Page A"}, {p + "/c.html", "C"}}));
    crawl(CrawlMode::interLinks, "");
    EXPECT_EQ(rig.progress.links, withBase({"/a.html", "/b.html", "/c.html", "/d/e.html"}));

    std::remove(rig.dir.file("TrovCrawler.html").c_str());
    rig.progress.links.clear();
    stopAt.clear();
    cancelAt = "Found 3 items";
    crawl(CrawlMode::StartFastCrawl, "red");
    EXPECT_EQ(rig.engine.outcome(), CrawlOutcome::Cancelled);
    EXPECT_EQ(rig.resultPage(), "<none>");
    crawl(CrawlMode::interLinks, "");
    EXPECT_EQ(rig.engine.outcome(), CrawlOutcome::Cancelled);
    EXPECT_TRUE(rig.progress.links.empty());
    rig.engine.clearLinkList();
    EXPECT_EQ(linkExport(list(), p), p + "\r\n");
}

TEST_F(CrawlTest, ATableFullOfLinksDropsTheRest) {
    test::HttpServer big;
    std::string body;
    for (int i = 0; i < 20100; ++i)
        body += "<a href=\"/p" + std::to_string(i) + "\">";
    big.route("/", HttpResponse{200, body, "text/html", {}, 0});
    rig.run(CrawlMode::AllLinks, CrawlInputs{big.base(), "", "", ""});
    EXPECT_EQ(list().count, kLinkListSize);
    EXPECT_EQ(list()[kLinkListSize - 1].address, big.base() + "/p20005");
}

} // namespace
} // namespace trov
