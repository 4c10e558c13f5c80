// SPDX-License-Identifier: GPL-3.0-or-later
// Fetching pages from hostile servers, one at a time and several at once; reachability.

#include "common/version.h"
#include "compose/reachability.h"
#include "crawler/body_decoding.h"
#include "crawler/concurrent_page_source.h"
#include "crawler/curl_page_source.h"
#include "tests/crawler/crawl_rig.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace trov {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using test::HttpResponse;
using Then = HttpResponse::Then;

const std::string kUtf8 = // a two-byte character straddles every 1024-byte read
    std::string(1023, 'a') + "\xc3\xa9" + std::string(1022, 'b') + "\xe2\x82\xac" + "end";

std::string page(int i) {
    return "/p" + std::to_string(i) + ".html";
}

struct Fetch : ::testing::Test {
    Fetch() {
        const std::pair<std::string, HttpResponse> routes[] = {
            {"/", {.body = "ok"}},
            {"/empty", {}},
            {"/early", {.status = 0}},
            {"/err", {.status = 500, .body = "server says no"}},
            {"/found", {.status = 302, .body = "no location"}},
            {"/r", HttpResponse::redirect(302, "/empty")},
            {"/to-ok", HttpResponse::redirect(301, "/")},
            {"/to-missing", HttpResponse::redirect(302, "/missing")},
            {"/loop", HttpResponse::redirect(302, "/loop")},
            {"/tofile", HttpResponse::redirect(302, "file:///etc/hostname")},
            {"/split", {.body = kUtf8, .piece = 1024, .pieceDelayMs = 20}},
            {"/cp1252", {.body = "caf\xe9 \x80"}},
            {"/meta", {.body = "<meta charset=\"iso-8859-2\">\xb1"}},
            {"/latin2", {.body = "\xb1", .contentType = "text/html; charset=ISO-8859-2"}},
            {"/lying", {.body = "\x81\xff", .contentType = "text/html; charset=utf-8"}},
            {"/endless", {.body = "x", .length = -2, .pieceDelayMs = 1, .then = Then::Repeat}},
            {"/fast", {.body = std::string(64 << 10, 'y'), .length = -2, .then = Then::Repeat}},
            {"/silent", {.body = "abc", .length = 10, .then = Then::Hold}},
            {"/drip", {.body = std::string(20, 'd'), .piece = 1, .pieceDelayMs = 40}},
            {"/mid", {.body = "partial", .length = 1000, .then = Then::Reset}}};
        for (const auto& [path, answer] : routes)
            server.route(path, answer);
    }
    std::string fetch(const std::string& path, TransferOptions options = pageFetchOptions(),
                      const std::atomic<bool>* abort = nullptr) {
        return FetchPage(path.starts_with("/") ? server.url(path) : path, options, abort);
    }
    template <class Pred> bool waitFor(Pred pred, std::chrono::milliseconds limit) {
        for (const auto end = Clock::now() + limit; !pred() && Clock::now() < end;)
            std::this_thread::sleep_for(5ms);
        return pred();
    }
    test::HttpServer server;
};

// The status is never examined; the body is decoded as one whole; a reset keeps what was
// read, and before an answer it is a failure.
TEST_F(Fetch, AnswersAndFailures) {
    const std::string big = "<html>" + std::string(50 << 20, 'z');
    server.route("/big", {.body = big});
    // Bodies that are no text, each a megabyte of which only the start ever comes.
    for (const auto& [path, type] :
         {std::pair{"/picture", "image/png"}, {"/zip", "Application/Zip; x"}})
        server.route(path,
                     {.body = "PK", .contentType = type, .length = 1 << 20, .then = Then::Hold});
    // clang-format off
    const std::pair<std::string, std::string> rows[] = {
        {"/nothing", "Not found"}, {"/err", "server says no"}, {"/empty", ""}, {"/r", ""},
        {"/loop", "NIL"}, {"/tofile", "NIL"}, {"file:///etc/hostname", "NIL"},
        {"not an address", "NIL"}, {"ftp://127.0.0.1:1/x", "NIL"}, {"http://127.0.0.1:1/", "NIL"},
        {"/split", kUtf8}, {"/cp1252", "caf\xc3\xa9 \xe2\x82\xac"}, {"/latin2", "\xc4\x85"},
        {"/lying", "\xc2\x81\xc3\xbf"},
        {"/meta", "<meta charset=\"iso-8859-2\">\xc4\x85"}, {"/mid", "partial"}, {"/early", "NIL"},
        {"/big", big}, {"/picture", ""}, {"/zip", ""}};
    // clang-format on
    for (const auto& [address, body] : rows)
        EXPECT_EQ(fetch(address), body) << address;
    EXPECT_EQ(declaredCharset("", "text/html; Charset=\"Shift_JIS\""), "shift_jis");
    for (const char* type : {"VIDEO/mp4", "font/woff2", "application/octet-stream"})
        EXPECT_TRUE(isNonTextType(type)) << type;
    // Larger than the pieces decoding works in: a character across a piece's end survives,
    // and a conversion grows over many buffers.
    const std::string piece(1 << 20, 'a');
    EXPECT_EQ(decodeBody(piece.substr(1) + "\xc3\xa9", ""), piece.substr(1) + "\xc3\xa9");
    EXPECT_EQ(decodeBody(piece + "\x80", ""), piece + "\xe2\x82\xac");
    EXPECT_EQ(decodeBody(std::string(1 << 17, '\xb1'), "text/html; charset=iso-8859-2"),
              text::replaced(std::string(1 << 17, '\xb1'), "\xb1", "\xc4\x85"));
    const std::string agent = "Mozilla/5.0(compatible; Trov 1.0; " + std::string(kProductUrl) + ")";
    for (const auto& r : server.requests())
        EXPECT_EQ(r.headers.at("user-agent") + r.headers.at("cache-control") +
                      r.headers.at("pragma"),
                  agent + "no-cacheno-cache");
}

// An endless body ends on Cancel at once and is cut at the size limit; each byte of a slow
// drip comes within the stall limit, a silent server does not.
TEST_F(Fetch, EndlessSilentAndSlowBodies) {
    std::atomic<bool> cancel{false};
    std::thread canceller([&] { std::this_thread::sleep_for(300ms), cancel.store(true); });
    auto started = Clock::now();
    EXPECT_EQ(fetch("/endless", pageFetchOptions(), &cancel), "NIL");
    EXPECT_LT(Clock::now() - started, 2s);
    canceller.join();
    TransferOptions options = pageFetchOptions();
    options.maxBody = 3 << 20;
    options.stallLimit = 700ms;
    EXPECT_EQ(fetch("/fast", options), std::string(3 << 20, 'y'));
    started = Clock::now();
    EXPECT_EQ(fetch("/silent", options), "NIL");
    EXPECT_LT(Clock::now() - started, 3s);
    EXPECT_EQ(fetch("/drip", options), std::string(20, 'd'));
}

// Pages fetched ahead are held within the byte budget, the page asked for going past it;
// one asked for out of turn gets a connection even when the paused pages ahead hold all six.
TEST_F(Fetch, PagesFetchedAheadStayWithinTheByteBudget) {
    constexpr std::size_t size = 300 << 10, budget = 1 << 20;
    const auto body = [](int i) { return std::string(size, char('a' + i)); };
    for (int i = 0; i < 12; ++i)
        server.route(page(i), {.body = body(i)});
    std::atomic<bool> cancel{false};
    ConcurrentPageSource source(pageFetchOptions(), ConcurrentPageSource::kWindow, budget);
    source.beginCrawl(cancel);
    for (int i = 0; i < 10; ++i)
        source.expect(server.url(page(i)));
    // Three pages fill the budget; six more start and pause.
    ASSERT_TRUE(waitFor([&] { return source.transfersStarted() == 9; }, 10s));
    EXPECT_EQ(source.FetchPage(server.url(page(11))), body(11));
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(source.FetchPage(server.url(page(i))), body(i)) << i;
    source.endCrawl();
    EXPECT_LE(source.mostHeld(), budget + size);
    EXPECT_GE(source.mostHeld(), budget - size);
}

TEST_F(Fetch, OnlyAFinal200Or302IsReachable) {
    CurlReachability check;
    const std::string p = server.base();
    // clang-format off
    const std::pair<std::string, bool> rows[] = {
        {p, true}, {p + "/found", true}, {p + "/to-ok", true}, {p + "/to-missing", false},
        {p + "/err", false}, {p + "/tofile", false}, {"http://127.0.0.1:1", false},
        {"file:///etc/hostname", false}, {p.substr(7), true}, // without a scheme: http://
        {p + "/endless", true}}; // an endless body does not hold the check
    // clang-format on
    for (const auto& [address, reachable] : rows)
        EXPECT_EQ(check.reachable(address), reachable) << address;
    EXPECT_EQ(reachabilityAddress("Example.com"), "http://Example.com");
    EXPECT_EQ(reachabilityAddress("HTTPS://x.org"), "HTTPS://x.org");
    for (const auto& r : server.requests())
        EXPECT_EQ(r.headers.at("user-agent") + r.headers.at("cache-control"),
                  "InetURL:/1.0no-cache");
}

TEST_F(Fetch, ConcurrentBodiesGoToTheirOwnPagesAndAStalledOneIsNil) {
    for (int i = 0; i < 12; ++i) // the first asked for answers last
        server.route(page(i), {.body = "b" + std::to_string(i), .delayMs = (12 - i) * 8});
    server.route("/stall", {.body = "half", .length = 100, .then = Then::Hold});
    const auto body = [&](ConcurrentPageSource& source, const std::string& path) {
        return source.FetchPage(server.url(path));
    };
    std::atomic<bool> cancel{false};
    ConcurrentPageSource source;
    source.beginCrawl(cancel);
    for (int i = 0; i < 12; ++i)
        source.expect(server.url(page(i)));
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(body(source, page(i)), "b" + std::to_string(i));
    source.endCrawl();
    EXPECT_EQ(source.transfersStarted(), 12u);
    EXPECT_EQ(server.requests().size(), 13u); // and robots.txt
    EXPECT_EQ(body(source, page(4)), "b4");   // outside a crawl
    source.beginCrawl(cancel);
    for (int i : {0, 1, 2, 1}) // the same page announced twice is fetched twice
        source.expect(server.url(page(i)));
    EXPECT_EQ(body(source, page(3)), "b3"); // never announced
    EXPECT_EQ(body(source, page(1)), "b1"); // gives up page 0
    for (int i : {0, 2, 1})
        EXPECT_EQ(body(source, page(i)), "b" + std::to_string(i));
    source.forgetExpected();
    EXPECT_EQ(body(source, page(2)), "b2");
    source.endCrawl();

    TransferOptions options = pageFetchOptions();
    options.stallLimit = 300ms;
    ConcurrentPageSource stalling(options);
    stalling.beginCrawl(cancel);
    for (const std::string& path : {std::string("/stall"), page(0), page(1), page(2), page(3)})
        stalling.expect(server.url(path));
    const auto started = Clock::now();
    EXPECT_EQ(body(stalling, "/stall"), "NIL");
    EXPECT_GE(Clock::now() - started, 250ms);
    EXPECT_LT(Clock::now() - started, 3s);
    for (int i = 0; i < 4; ++i) // the others went on
        EXPECT_EQ(body(stalling, page(i)), "b" + std::to_string(i));
    stalling.endCrawl();
}

// Six pages at once, each holding its connection after a little of its body, until Cancel
// (from another thread) abandons them all.
TEST_F(Fetch, CancelAbandonsEveryTransferInFlightAtOnce) {
    std::string home = "<title>Home</title>";
    for (int i = 0; i < 20; ++i)
        home += "<a href=\"" + page(i) + "\">x</a>";
    server.route("/", {.body = home});
    server.route("/robots.txt", HttpResponse::notFound());
    server.fallback([](const test::HttpRequest&) {
        return HttpResponse{.body = "<title>", .length = 1000000, .then = Then::Hold};
    });
    ConcurrentPageSource source;
    test::CrawlRig rig(source);
    std::thread crawl([&] { rig.run(CrawlMode::StartSlowCrawl, {server.base(), "x", "", ""}); });
    ASSERT_TRUE(waitFor([&] { return server.heldOpen() == 6; }, 10s));
    const auto cancelled = Clock::now();
    rig.engine.requestCancel();
    crawl.join();
    EXPECT_LT(Clock::now() - cancelled, 500ms);
    EXPECT_TRUE(waitFor([&] { return server.heldOpen() == 0; }, 500ms)) << server.heldOpen();
    EXPECT_EQ(rig.engine.outcome(), CrawlOutcome::Cancelled);
    EXPECT_EQ(rig.resultPage(), "<none>");
    EXPECT_EQ(server.requests().size(), 8u); // robots.txt; no page started after the cancel
    EXPECT_EQ(source.mostInFlight(), 6u);
    EXPECT_LE(server.connectionCount(), 6) << "the start page's connection is used again";
}

} // namespace
} // namespace trov
