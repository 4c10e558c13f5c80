#include "common/atomic_file.h"
#include "crawler/crawl_engine.h"
#include "crawler/curl_page_source.h"
#include "crawler/results.h"
#include "tests/crawler/fixture_site.h"
#include "tests/support/messages.h"
#include "tests/support/temp_dir.h"

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>

namespace trov {
namespace {

using test::Hit;
using test::HttpResponse;

using RecordingMessages = test::ShownTexts;

class RecordingProgress : public CrawlProgress {
public:
    void counterText(const std::string& c) override {
        std::lock_guard lock(mutex);
        counters.push_back(c);
        if (onCounter)
            onCounter(c);
    }
    void modeCaption(const std::string& c) override {
        if (!c.empty())
            captions.push_back(c);
    }
    void showLinks(const std::string& c, const std::vector<std::string>& l) override {
        caption = c;
        links = l;
    }
    std::mutex mutex;
    std::function<void(const std::string&)> onCounter;
    std::vector<std::string> counters, captions, links;
    std::string caption;
};

class CrawlTest : public ::testing::Test {
protected:
    CrawlTest() : engine(source, dir.file("TrovCrawler.html"), messages, progress) {
        test::serveFixtureSite(server);
        p = server.base();
    }

    void crawl(CrawlMode mode, std::string words, std::string exact = {}) {
        engine.clearLinkList();
        engine.resetFlags();
        engine.run(mode, CrawlInputs{p, std::move(words), std::move(exact), ""});
    }

    std::vector<std::string> addresses() const {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < engine.linkList().count; ++i)
            out.push_back(engine.linkList()[i].address);
        return out;
    }

    std::vector<std::string> withBase(const std::vector<std::string>& paths) const {
        std::vector<std::string> out;
        for (const auto& s : paths)
            out.push_back(s.rfind("http", 0) == 0 ? s : p + s);
        return out;
    }

    std::string resultPage() const {
        return readWholeFile(dir.file("TrovCrawler.html")).value_or("<none>");
    }

    test::HttpServer server;
    test::TempDir dir;
    CurlPageSource source;
    RecordingMessages messages;
    RecordingProgress progress;
    CrawlEngine engine;
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
    EXPECT_EQ(engine.linkList()[8].text, "Not found"); // the 404 page's own text
    EXPECT_EQ(engine.linkList()[11].text, "");
    EXPECT_EQ(engine.outcome(), CrawlOutcome::ResultPage);
    EXPECT_EQ(resultPage(),
              test::expectedResultPage("red car ", p,
                                       {{p, "Home page"},
                                        {p + "/a.html", "Page A"},
                                        {p + "/c.html", "C"}, // brackets stay in this crawl
                                        {p + "/moved", "Moved"},
                                        {p + "/deep", "Deep"},
                                        {p + "/a.html", "Page A"}}));
    EXPECT_EQ(progress.counters.back(), "Found 13 items");
    EXPECT_EQ(progress.captions, std::vector<std::string>{"Crawl main page subpages"});
}

TEST_F(CrawlTest, InternalLinksExpandBreadthFirstAndShowTheSortedList) {
    crawl(CrawlMode::interLinks, "");
    EXPECT_EQ(addresses(), withBase(kInternal));
    EXPECT_EQ(engine.outcome(), CrawlOutcome::LinksShown);
    EXPECT_EQ(progress.caption, "Trov -  Internal Links on a website: " + p);
    EXPECT_EQ(progress.links,
              withBase({"/", "/a.html", "/a.html/", "/area.html", "/b.html", "/c.html", "/d/e.html",
                        "/deep/", "/deep/one.html", "/deep/two.html", "/empty.html",
                        "/missing.html", "/moved", "/one.html", "/two1.html", "/two2.html"}));
    // Never a request for another host, and the double-slash link only once.
    for (const auto& r : server.requests())
        EXPECT_EQ(r.headers.at("host"), p.substr(7));
}

TEST_F(CrawlTest, AllLinksStoresOtherHostsButNeverExpandsThem) {
    crawl(CrawlMode::AllLinks, "");
    auto expected =
        withBase({"/a.html", "/b.html", "/c.html", "http://other.example/x.html", "/d/e.html",
                  "/area.html", "/two1.html", "/two2.html", "/missing.html", "/moved", "/deep/",
                  "/empty.html", "/a.html/", "/deep/one.html", "/", "/one.html", "/deep/two.html"});
    EXPECT_EQ(addresses(), expected);
    EXPECT_EQ(progress.caption, "Trov -  All links on a website: " + p);
    EXPECT_EQ(progress.links.back(), "http://other.example/x.html");
    EXPECT_EQ(progress.links.size(), 17u);
}

TEST_F(CrawlTest, SiteCrawlFetchesEveryPageAndDropsBracketedText) {
    crawl(CrawlMode::StartSlowCrawl, "red car");
    EXPECT_EQ(addresses(), withBase(kInternal));
    EXPECT_EQ(resultPage(), test::expectedResultPage("red car ", p,
                                                     {{p + "/a.html", "Page A"},
                                                      {p + "/moved", "Moved"},
                                                      {p + "/deep/", "Deep"},
                                                      {p + "/deep/one.html", "One"},
                                                      {p + "/", "Home page"},
                                                      {p + "/deep/two.html", "Two"}}));
    EXPECT_EQ(engine.linkList()[13].text.find("braced"), std::string::npos);
    EXPECT_EQ(progress.counters.back(), "Processed 16 of 16 items");
}

TEST_F(CrawlTest, ExactPhraseAloneAndExcludedWord) {
    crawl(CrawlMode::StartFastCrawl, "", "RED");
    EXPECT_NE(resultPage().find("About 10 results<br>"), std::string::npos);
    engine.clearLinkList();
    engine.resetFlags();
    engine.run(CrawlMode::StartFastCrawl, CrawlInputs{p, "red", "", "old"});
    EXPECT_NE(resultPage().find("About 9 results<br>"), std::string::npos);
    EXPECT_EQ(resultPage().find("two2.html\"><strong>"), std::string::npos);
}

TEST_F(CrawlTest, NoLinksFoundOnAPageWithoutLinks) {
    test::HttpServer bare;
    bare.route("/", HttpResponse{200, "<title>x</title> nothing here", "text/html", {}, 0});
    engine.resetFlags();
    engine.run(CrawlMode::interLinks, CrawlInputs{bare.base(), "", "", ""});
    EXPECT_EQ(engine.outcome(), CrawlOutcome::NoLinksFound);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"No links found" + std::string(27, ' ')});
    EXPECT_TRUE(progress.links.empty());
    // A sub-page crawl of the same page is the start page alone.
    engine.resetFlags();
    engine.run(CrawlMode::StartFastCrawl, CrawlInputs{bare.base(), "nothing", "", ""});
    EXPECT_EQ(progress.counters.back(), "Found 1 items");
    EXPECT_EQ(resultPage(),
              test::expectedResultPage("nothing ", bare.base(), {{bare.base(), "x"}}));
}

TEST_F(CrawlTest, ListCrawlFetchesOnlyAddressesInsideTheSite) {
    const std::string list = p + "\r\n" + p + "/a.html;\r\n" + p + "/c.html\r\n" +
                             "http://other.example/x.html\r\n" + p + "/missing.html\r\n" +
                             "file:///etc/hostname#" + p + "\r\n";
    const LoadedList loaded = loadLinkList(engine.linkList(), list);
    engine.resetFlags();
    engine.setListReady(true);
    engine.run(CrawlMode::CrawlCSV, CrawlInputs{loaded.site, "red", "", ""});
    const LinkList& l = engine.linkList();
    EXPECT_EQ(l.count, 5u);
    EXPECT_EQ(l[3].text, "NIL"); // another site: not fetched
    EXPECT_EQ(l[5].text, "NIL"); // not http: never opened
    EXPECT_EQ(l[2].text, "C car gamma");
    EXPECT_EQ(resultPage(), test::expectedResultPage("red ", p, {{p + "/a.html", "Page A"}}));
    EXPECT_FALSE(engine.listReady());
    EXPECT_EQ(progress.counters.back(), "Processed 5 of 5 items");
    // The export reads back as the same list.
    EXPECT_EQ(linkExport(l, loaded.site), p + "\r\nfile:///etc/hostname#" + p + "\r\n" + p +
                                              "/a.html\r\n" + p + "/c.html\r\n" + p +
                                              "/missing.html\r\nhttp://other.example/x.html\r\n");
}

TEST_F(CrawlTest, ListCrawlRefusesAnEmptySearch) {
    loadLinkList(engine.linkList(), p + "\r\n" + p + "/a.html\r\n");
    engine.resetFlags();
    engine.run(CrawlMode::CrawlCSV, CrawlInputs{p, "", "", ""});
    EXPECT_EQ(engine.outcome(), CrawlOutcome::Refused);
    EXPECT_EQ(messages.shown,
              std::vector<std::string>{
                  "There is nothing to search.\r\n\r\nPlease fill in at least one field."});
    EXPECT_TRUE(engine.cancelRequested());
}

TEST_F(CrawlTest, StopKeepsWhatWasFound) {
    progress.onCounter = [&](const std::string& c) {
        if (c == "Found 4 items")
            engine.requestStop();
    };
    crawl(CrawlMode::StartFastCrawl, "red");
    EXPECT_EQ(engine.linkList().count, 4u);
    EXPECT_EQ(resultPage(),
              test::expectedResultPage(
                  "red ", p, {{p, "Home page"}, {p + "/a.html", "Page A"}, {p + "/c.html", "C"}}));
    progress.counters.clear();
    crawl(CrawlMode::interLinks, "");
    EXPECT_EQ(progress.links, withBase({"/a.html", "/b.html", "/c.html", "/d/e.html"}));
}

TEST_F(CrawlTest, CancelShowsNothing) {
    progress.onCounter = [&](const std::string& c) {
        if (c == "Found 3 items")
            engine.requestCancel();
    };
    crawl(CrawlMode::StartFastCrawl, "red");
    EXPECT_EQ(engine.outcome(), CrawlOutcome::Cancelled);
    EXPECT_EQ(resultPage(), "<none>");
    crawl(CrawlMode::interLinks, "");
    EXPECT_EQ(engine.outcome(), CrawlOutcome::Cancelled);
    EXPECT_TRUE(progress.links.empty());
    engine.clearLinkList();
    EXPECT_EQ(linkExport(engine.linkList(), p), p + "\r\n");
}

TEST_F(CrawlTest, CancelFromAnotherThreadEndsAHangingFetchAtOnce) {
    test::HttpServer hanging;
    hanging.rawRoute("/", [](int fd, const test::HttpRequest&, const std::atomic<bool>& stop) {
        test::sendAll(fd, "HTTP/1.1 200 OK\r\nContent-Length: 100000000\r\n\r\n<a href=/x>");
        while (!stop.load())
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return false;
    });
    engine.resetFlags();
    std::thread canceller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        engine.requestCancel();
    });
    const auto started = std::chrono::steady_clock::now();
    engine.run(CrawlMode::StartSlowCrawl, CrawlInputs{hanging.base(), "x", "", ""});
    canceller.join();
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(3));
    EXPECT_EQ(engine.outcome(), CrawlOutcome::Cancelled);
    hanging.stop();
}

TEST_F(CrawlTest, ATableFullOfLinksDropsTheRest) {
    test::HttpServer big;
    std::string body;
    for (int i = 0; i < 20100; ++i)
        body += "<a href=\"/p" + std::to_string(i) + "\">";
    big.route("/", HttpResponse{200, body, "text/html", {}, 0});
    engine.resetFlags();
    engine.run(CrawlMode::AllLinks, CrawlInputs{big.base(), "", "", ""});
    EXPECT_EQ(engine.linkList().count, kLinkListSize);
    EXPECT_EQ(engine.linkList()[kLinkListSize - 1].address, big.base() + "/p20005");
}

} // namespace
} // namespace trov
