// SPDX-License-Identifier: GPL-3.0-or-later
// The link check after an extraction, against a site with one link of every kind and a
// second host: every row of the report files exact (data/link-check.csv and .json, the
// servers written $BASE, $CLOSED and $EXT; /moved shows good.html, so the links of that
// page are found on both); a check cancelled under way; the report window's model.

#include "crawler/concurrent_page_source.h"
#include "crawler/link_check.h"
#include "crawler/link_report.h"
#include "crawler/link_report_model.h"
#include "tests/crawler/crawl_rig.h"

#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace trov {
namespace {

using test::HttpResponse;
using namespace std::chrono_literals;

// An address on a port that was open a moment ago and is closed now.
std::string closedPortBase() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    ::inet_pton(AF_INET, "127.0.0.2", &addr.sin_addr);
    socklen_t len = sizeof addr;
    ::bind(fd, reinterpret_cast<sockaddr*>(&addr), len);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    ::close(fd);
    return "http://127.0.0.2:" + std::to_string(ntohs(addr.sin_port));
}

std::string links(std::initializer_list<std::string> targets) {
    std::string page = "<html><body>\n";
    for (const std::string& target : targets)
        page += "<a href=\"" + target + "\">x</a>\n";
    return page + "</body></html>\n";
}

struct CheckSite : ::testing::Test {
    CheckSite() {
        site.route("/",
                   {.body = links({"/good.html", "/missing.html", "/error.html", "/moved",
                                   "/moved-to-missing", "/loop", closed + "/page.html",
                                   "/private/page.html", "/nohead.html", "/busy",
                                   external.url("/page.html"), "/good.html", "/with,comma.html"})});
        site.route("/good.html", {.body = links({"/missing.html", external.url("/page.html"),
                                                 external.url("/gone.html")})});
        site.route("/robots.txt", {.body = "User-agent: *\nDisallow: /private/\n"});
        site.route("/error.html", {.status = 500, .body = "oops"});
        site.route("/moved", HttpResponse::redirect(301, "/good.html"));
        site.route("/moved-to-missing", HttpResponse::redirect(302, "/missing.html"));
        site.route("/loop", HttpResponse::redirect(302, "/loop"));
        site.route("/private/page.html", {.body = "kept out"});
        site.route("/busy", {.status = 503, .headers = {{"Retry-After", "0"}}});
        site.fallback([](const test::HttpRequest& r) {
            if (r.path == "/nohead.html")
                return r.method == "HEAD" ? HttpResponse{.status = 405} : HttpResponse{};
            return HttpResponse::notFound();
        });
        external.route("/page.html", {.body = "elsewhere"});
    }

    // The links viewer's list of an all-links extraction, with where each was found.
    std::vector<ListedLink> extract() {
        ConcurrentPageSource source;
        test::CrawlRig rig(source);
        rig.run(CrawlMode::AllLinks, {site.base(), "", "", ""});
        return listedLinks(rig.engine.linkList(), rig.engine.sightings());
    }
    std::string placeholders(std::string bytes) const {
        for (const auto& [server, name] :
             {std::pair{site.base(), "$BASE"}, {closed, "$CLOSED"}, {external.base(), "$EXT"}})
            text::replaceAll(bytes, server, name);
        return bytes;
    }

    test::HttpServer site;
    test::HttpServer external{"127.0.0.3"};
    const std::string closed = closedPortBase();
};

TEST_F(CheckSite, EveryStatusAndWhereItWasFound) {
    const auto listed = extract();
    std::atomic<bool> cancel{false};
    CrawlProgress panel;
    LinkChecker checker;
    const std::size_t before = site.requests().size();
    const auto report = checker.run(listed, site.base(), cancel, panel);
    ASSERT_TRUE(report);
    test::expectGolden("link-check.csv", placeholders(linkReportCsv(*report)));
    test::expectGolden("link-check.json", placeholders(linkReportJson(*report)));
    EXPECT_EQ(problemCount(*report), 8u);
    EXPECT_LE(external.connectionCount(), 2);

    std::vector<std::string> asked;
    const auto requests = site.requests();
    for (std::size_t i = before; i < requests.size(); ++i)
        asked.push_back(requests[i].method + " " + requests[i].target);
    std::ranges::sort(asked);
    // robots.txt once; the disallowed page never; HEAD refused, then GET; 503 asked again
    // twice; each redirect's hop a request of its own.
    // clang-format off
    const std::vector<std::string> expected = {"GET /nohead.html", "GET /robots.txt",
        "HEAD /busy", "HEAD /busy", "HEAD /busy", "HEAD /error.html", "HEAD /good.html",
        "HEAD /good.html", "HEAD /loop", "HEAD /missing.html", "HEAD /missing.html",
        "HEAD /moved", "HEAD /moved-to-missing", "HEAD /nohead.html", "HEAD /with,comma.html"};
    // clang-format on
    EXPECT_EQ(asked, expected);
}

TEST_F(CheckSite, ACancelledCheckGivesNoReport) {
    site.route("/stall", {.delayMs = 60000});
    const std::vector<ListedLink> listed = {{site.url("/good.html"), "", 1},
                                            {site.url("/stall"), "", 1}};
    std::atomic<bool> cancel{false};
    std::optional<LinkReport> report = LinkReport{};
    CrawlProgress panel;
    const auto started = std::chrono::steady_clock::now();
    std::thread check([&] { report = LinkChecker().run(listed, site.base(), cancel, panel); });
    const auto asked = [&] {
        return std::ranges::count(site.requests(), "/stall", &test::HttpRequest::target) > 0;
    };
    while (!asked() && std::chrono::steady_clock::now() - started < 10s)
        std::this_thread::sleep_for(5ms);
    cancel.store(true);
    check.join();
    EXPECT_FALSE(report);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
}

TEST(LinkReportModel, SortsStablyFiltersAndCounts) {
    const auto row = [](std::string address, long status, LinkError error, std::size_t times) {
        return LinkCheckRow{address, status, error, address, "", times};
    };
    LinkReportModel model({row("b", 404, LinkError::None, 10), row("A", 200, LinkError::None, 2),
                           row("c", 0, LinkError::Robots, 2), row("d", 0, LinkError::Dns, 1),
                           row("e", 301, LinkError::None, 2)});
    const auto shown = [&] {
        std::string s;
        for (std::size_t i = 0; i < model.shownCount(); ++i)
            s += model.shown(i).address;
        return s;
    };
    // clang-format off
    const std::tuple<ReportColumn, bool, std::string> rows[] = {
        {ReportColumn::Address, true, "Abcde"},   {ReportColumn::Status, true, "Aebdc"},
        {ReportColumn::Status, false, "cdbeA"},   {ReportColumn::TimesFound, true, "dceAb"},
        {ReportColumn::TimesFound, false, "bceAd"}, // equal counts keep the order before
    };
    // clang-format on
    for (const auto& [column, ascending, order] : rows) {
        model.sortBy(column, ascending);
        EXPECT_EQ(shown(), order);
    }
    model.setProblemsOnly(true);
    EXPECT_EQ(shown(), "bd");
    EXPECT_EQ(model.problems(), 2u);
}

} // namespace
} // namespace trov
