// SPDX-License-Identifier: GPL-3.0-or-later
// A crawl that site owners welcome, end to end on a site on 127.0.0.1, through both page
// sources: robots.txt keeps it from a page, its Crawl-delay spaces the requests, a 429 and
// a 503 are asked again after their Retry-After, and the sitemap adds a page no link
// reaches.

#include "crawler/concurrent_page_source.h"
#include "crawler/curl_page_source.h"
#include "tests/crawler/crawl_rig.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>

namespace trov {
namespace {

using namespace std::chrono_literals;
using test::HttpRequest;
using test::HttpResponse;

struct PoliteSite {
    PoliteSite() {
        server.route("/robots.txt", {.body = "User-agent: *\nDisallow: /private/\n"
                                             "Crawl-delay: 0.2\nSitemap: " +
                                             server.url("/map.xml") + "\n"});
        server.route("/",
                     {.body = "<a href=\"/a.html\">a</a> <a href=\"/private/x.html\">p</a>"
                              "<a href=\"/busy429.html\">b</a> <a href=\"/busy503.html\">c</a>"});
        server.route("/map.xml", {.body = "<urlset><url><loc>" + server.url("/orphan.html") +
                                          "</loc></url></urlset>",
                                  .contentType = "application/xml"});
        // Too busy the first time each is asked; behind the page, a link only its body has.
        server.fallback([this](const HttpRequest& r) {
            std::lock_guard lock(mutex);
            const int status = r.path == "/busy429.html" ? 429 : 503;
            if (r.path.starts_with("/busy") && asked[r.path]++ == 0)
                return HttpResponse{.status = status, .headers = {{"Retry-After", "1"}}};
            return HttpResponse{.body = "<a href=\"/behind" + std::to_string(status) + ".html\">"};
        });
    }
    std::vector<std::string> requested() const {
        std::vector<std::string> paths;
        for (const HttpRequest& r : server.requests())
            paths.push_back(r.path);
        return paths;
    }

    test::HttpServer server;
    std::mutex mutex;
    std::map<std::string, int> asked;
};

TEST(PoliteCrawl, ObeysRobotsTxtPacesAndTakesTheSitemap) {
    struct Row {
        bool concurrent, useSitemap;
    };
    for (const Row row : {Row{true, true}, Row{false, false}}) {
        PoliteSite site;
        std::unique_ptr<PageSource> source;
        if (row.concurrent)
            source = std::make_unique<ConcurrentPageSource>();
        else
            source = std::make_unique<CurlPageSource>();
        test::CrawlRig rig(*source);
        CrawlInputs inputs{site.server.base(), "", "", ""};
        inputs.useSitemap = row.useSitemap;
        rig.run(CrawlMode::interLinks, inputs);

        std::vector<std::string> links;
        for (const char* path : {"/a.html", "/behind429.html", "/behind503.html", "/busy429.html",
                                 "/busy503.html", "/orphan.html", "/private/x.html"})
            if (row.useSitemap || path != std::string("/orphan.html"))
                links.push_back(site.server.url(path));
        std::vector<std::string> shown;
        for (const std::string& e : rig.progress.events)
            if (e.starts_with("link "))
                shown.push_back(e.substr(5));
        EXPECT_EQ(shown, links) << row.concurrent;
        EXPECT_EQ(rig.progress.events.back(), "robots.txt kept out 1");

        const auto paths = site.requested();
        EXPECT_EQ(paths.front(), "/robots.txt");
        EXPECT_EQ(std::ranges::count(paths, "/robots.txt"), 1);
        EXPECT_EQ(std::ranges::count(paths, "/private/x.html"), 0);
        EXPECT_EQ(std::ranges::count(paths, "/busy429.html"), 2);
        EXPECT_EQ(std::ranges::count(paths, "/busy503.html"), 2);
        // The Crawl-delay spaces every start after robots.txt (receipt jitter aside); the
        // retries wait their Retry-After.
        const auto requests = site.server.requests();
        for (std::size_t i = 2; i < requests.size(); ++i)
            EXPECT_GE(requests[i].at - requests[i - 1].at, 150ms) << requests[i].path;
        for (const char* busy : {"/busy429.html", "/busy503.html"}) {
            std::vector<std::chrono::steady_clock::time_point> at;
            for (const HttpRequest& r : requests)
                if (r.path == busy)
                    at.push_back(r.at);
            EXPECT_GE(at[1] - at[0], 950ms) << busy;
        }
    }
}

// A robots.txt answered with a server error: nothing on the host is fetched, and the crawl
// says why; without robots.txt the crawl fetches what it would and reads no robots.txt.
TEST(PoliteCrawl, AnUnreadableRobotsTxtOrNoneAtAll) {
    for (const bool respect : {true, false}) {
        PoliteSite site;
        site.server.route("/robots.txt", {.status = 500});
        ConcurrentPageSource source;
        test::CrawlRig rig(source);
        CrawlInputs inputs{site.server.base(), "", "", ""};
        inputs.respectRobots = respect;
        rig.run(CrawlMode::interLinks, inputs);
        const auto paths = site.requested();
        if (respect) {
            EXPECT_EQ(paths, std::vector<std::string>{"/robots.txt"});
            const auto messages = rig.messages.texts();
            ASSERT_EQ(messages.size(), 2u);
            EXPECT_EQ(messages[1], "The robots.txt of " + site.server.base() +
                                       " could not be read (HTTP 500), so nothing on that host "
                                       "is fetched in this crawl. If the site is your own, crawl "
                                       "it anyway with \"Respect robots.txt\" unchecked in the "
                                       "crawler menu, or with trovctl crawl --no-robots.");
        } else {
            EXPECT_EQ(std::ranges::count(paths, "/robots.txt"), 0);
            EXPECT_EQ(std::ranges::count(paths, "/private/x.html"), 1);
        }
    }
}

} // namespace
} // namespace trov
