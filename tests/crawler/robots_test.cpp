// SPDX-License-Identifier: GPL-3.0-or-later
// robots.txt through the policy the crawl asks: RFC 9309's examples and the rules of its
// text (data/robots-decisions.txt), bytes as servers send them, and every kind of answer
// a server gives for /robots.txt.

#include "common/atomic_file.h"
#include "crawler/curl_page_source.h"
#include "crawler/robots_policy.h"
#include "tests/compose/transcript.h"
#include "tests/support/http_server.h"

#include <gtest/gtest.h>
#include <thread>

namespace trov {
namespace {

using test::HttpResponse;

RobotsFile rulesOf(std::string text) {
    return {RobotsFile::Access::Rules, std::move(text), {}};
}

std::string verdictOf(const RobotsCheck& check) {
    return check.host && check.host->unreadable() ? "unreadable (" + check.host->answer + ")"
                                                  : describeVerdict(check.verdict);
}

TEST(Robots, DecidesAsTheRfcSays) {
    for (const char* file :
         {"groups.txt", "merged.txt", "simple.txt", "longest.txt", "characters.txt"}) {
        FixedRobotsSource source(
            rulesOf(readWholeFile(TROV_SOURCE_DIR "/tests/crawler/data/robots/" + std::string(file))
                        .value_or("")));
        test::expectTranscript(
            "crawler/data/robots-decisions.txt", file, [&](const std::string& run) {
                const std::size_t blank = run.find(' ');
                RobotsPolicy policy(source, run.substr(0, blank));
                const RobotsCheck check =
                    policy.check("https://example.com" +
                                 (blank == std::string::npos ? "" : run.substr(blank + 1)));
                if (blank != std::string::npos)
                    return test::escaped(verdictOf(check)) + "\n";
                std::string out =
                    "crawl-delay " + std::to_string(check.crawlDelay().count()) + " ms\n";
                for (const std::string& sitemap : check.host->rules.sitemaps)
                    out += "sitemap " + sitemap + "\n";
                return out;
            });
    }
}

TEST(Robots, ReadsAnyBytesUpToItsLimit) {
    const std::string limitFiller(kRobotsParseLimit - 40, '#');
    // clang-format off
    const std::tuple<std::string, std::string, std::string> rows[] = {
        {"\xEF\xBB\xBFUser-agent: *\rDisallow: /a\r\nDisallow: /b\n", "/b",
         "disallowed by line 3: Disallow: /b"},
        {std::string("User-agent: *\0\nDisallow: /a\n", 28), "/a", "disallowed by line 2: Disallow: /a"},
        {"User-agent: *\nDisallow: /%\xff%zz\n", "/%\xff%zz", "disallowed by line 2: Disallow: /%\xff%zz"},
        {"User-agent: *\n" + limitFiller + "\nDisallow: /in\nDisallow: /cut", "/in",
         "disallowed by line 3: Disallow: /in"},
        {"User-agent: *\n" + limitFiller + "\nDisallow: /in\nDisallow: /cut", "/cut", "allowed"},
        {"User-agent: *\n" + limitFiller + "\n" + std::string(30, ' ') + "\nDisallow: /out\n",
         "/out", "allowed"},
    };
    // clang-format on
    for (const auto& [file, path, expected] : rows) {
        FixedRobotsSource source(rulesOf(file));
        EXPECT_EQ(verdictOf(RobotsPolicy(source).check("http://example.com" + path)), expected);
    }
}

// Each row is one server's answers; the last column is the verdict for /private.
TEST(Robots, EveryAnswerForRobotsTxt) {
    const HttpResponse rules{.body = "User-agent: trov\nDisallow: /private\n"};
    const auto hops = [](int n) {
        std::vector<std::pair<std::string, HttpResponse>> routes;
        for (int i = 0; i < n; ++i)
            routes.emplace_back(i ? "/hop" + std::to_string(i) : "/robots.txt",
                                HttpResponse::redirect(302, "/hop" + std::to_string(i + 1)));
        return routes;
    };
    auto fiveHops = hops(5), sixHops = hops(6);
    fiveHops.emplace_back("/hop5", rules);
    sixHops.emplace_back("/hop6", rules);
    // clang-format off
    const std::pair<std::vector<std::pair<std::string, HttpResponse>>, std::string> rows[] = {
        {{{"/robots.txt", rules}}, "disallowed by line 2: Disallow: /private"},
        {{}, "allowed"}, // 404
        {{{"/robots.txt", {.status = 403}}}, "allowed"},
        {{{"/robots.txt", {.status = 503, .body = "busy"}}}, "unreadable (HTTP 503)"},
        {{{"/robots.txt", {.status = 500}}}, "unreadable (HTTP 500)"},
        {{{"/robots.txt", {.status = 0}}}, "unreadable (no answer)"},
        {fiveHops, "disallowed by line 2: Disallow: /private"},
        {sixHops, "allowed"},
    };
    // clang-format on
    for (const auto& [routes, expected] : rows) {
        test::HttpServer server;
        for (const auto& [path, response] : routes)
            server.route(path, response);
        CurlRobotsSource source;
        EXPECT_EQ(verdictOf(RobotsPolicy(source).check(server.url("/private"))), expected)
            << expected;
    }
    CurlRobotsSource source;
    RobotsPolicy policy(source);
    const RobotsCheck refused = policy.check("http://127.0.0.1:1/");
    EXPECT_EQ(refused.host->unreadableMessage(),
              "The robots.txt of http://127.0.0.1:1 could not be read (no answer), so nothing on "
              "that host is fetched in this crawl. If the site is your own, crawl it anyway with "
              "\"Respect robots.txt\" unchecked in the crawler menu, or with trovctl crawl "
              "--no-robots.");
    EXPECT_EQ(policy.unreadableHosts(), std::vector{refused.host});
}

// Workers asking at once about one origin cause one request, with the crawl's agent.
TEST(Robots, ReadsEachOriginOnceForAllThreads) {
    test::HttpServer server;
    server.route("/robots.txt", {.body = "User-agent: *\nCrawl-delay: 0.25\n", .delayMs = 100});
    CurlRobotsSource source;
    RobotsPolicy policy(source);
    std::vector<std::thread> workers;
    for (int i = 0; i < 4; ++i)
        workers.emplace_back([&, i] {
            EXPECT_EQ(policy.check(server.url("/p" + std::to_string(i))).crawlDelay().count(), 250);
        });
    for (auto& w : workers)
        w.join();
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].headers.at("user-agent"), crawlerAgent());
    EXPECT_EQ(policy.originsRead(), 1u);

    // Past its memory budget the policy drops the oldest origin and reads it again.
    FixedRobotsSource fixed(rulesOf("User-agent: *\nDisallow: /x\n"));
    RobotsPolicy small(fixed, "Trov", nullptr, 1);
    for (const char* address : {"http://a.example/", "http://b.example/", "http://a.example/x"})
        small.check(address);
    EXPECT_EQ(small.originsRead(), 3u);
}

} // namespace
} // namespace trov
