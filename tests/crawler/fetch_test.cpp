#include "common/version.h"
#include "compose/reachability.h"
#include "crawler/body_decoding.h"
#include "crawler/curl_page_source.h"
#include "tests/support/http_server.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace trov {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using test::HttpResponse;
using Then = HttpResponse::Then;

struct Fetch : ::testing::Test {
    std::string fetch(const std::string& path, TransferOptions options = pageFetchOptions(),
                      const std::atomic<bool>* abort = nullptr) {
        return FetchPage(path.starts_with("/") ? server.url(path) : path, options, abort);
    }
    test::HttpServer server;
};

TEST_F(Fetch, StatusIsNeverExaminedAndFailuresAreNil) {
    server.route("/empty", {});
    server.route("/err", {.status = 500, .body = "server says no"});
    server.route("/r", HttpResponse::redirect(302, "/empty"));
    server.route("/loop", HttpResponse::redirect(302, "/loop"));
    server.route("/tofile", HttpResponse::redirect(302, "file:///etc/hostname"));
    const std::pair<const char*, const char*> rows[] = {
        {"/nothing", "Not found"},
        {"/err", "server says no"},
        {"/empty", ""},
        {"/r", ""},
        {"/loop", "NIL"},
        {"/tofile", "NIL"},
        {"file:///etc/hostname", "NIL"},
        {"ftp://127.0.0.1:1/x", "NIL"},
        {"not an address", "NIL"},
        {"http://127.0.0.1:1/", "NIL"}, // refused
    };
    for (const auto& [address, body] : rows)
        EXPECT_EQ(fetch(address), body) << address;
    for (const auto& r : server.requests()) {
        EXPECT_EQ(r.headers.at("user-agent"),
                  "Mozilla/5.0(compatible; Trov 1.0; " + std::string(kProductUrl) + ")");
        EXPECT_EQ(r.headers.at("cache-control"), "no-cache");
        EXPECT_EQ(r.headers.at("pragma"), "no-cache");
    }
}

TEST_F(Fetch, DecodesTheBodyAsOneWhole) {
    // A two-byte character straddles every 1024-byte read.
    const std::string utf8 =
        std::string(1023, 'a') + "\xc3\xa9" + std::string(1022, 'b') + "\xe2\x82\xac" + "end";
    server.route("/split", {.body = utf8, .piece = 1024, .pieceDelayMs = 20});
    server.route("/cp1252", {.body = "caf\xe9 \x80"});
    server.route("/latin2", {.body = "\xb1", .contentType = "text/html; charset=ISO-8859-2"});
    server.route("/meta", {.body = "<meta charset=\"iso-8859-2\">\xb1"});
    server.route("/lying", {.body = "\x81\xff", .contentType = "text/html; charset=utf-8"});
    EXPECT_EQ(fetch("/split"), utf8);
    EXPECT_EQ(fetch("/cp1252"), "caf\xc3\xa9 \xe2\x82\xac");
    EXPECT_EQ(fetch("/latin2"), "\xc4\x85");
    EXPECT_EQ(fetch("/meta"), "<meta charset=\"iso-8859-2\">\xc4\x85");
    EXPECT_EQ(fetch("/lying"), "\xc2\x81\xc3\xbf");
    EXPECT_EQ(declaredCharset("", "text/html; Charset=\"Shift_JIS\""), "shift_jis");
}

TEST_F(Fetch, HostileServers) {
    server.route(
        "/endless",
        {.body = std::string(1024, 'x'), .length = -2, .pieceDelayMs = 1, .then = Then::Repeat});
    server.route("/fast", {.body = std::string(64 << 10, 'y'), .length = -2, .then = Then::Repeat});
    server.route("/silent", {.body = "abc", .length = 10, .then = Then::Hold});
    server.route("/drip", {.body = std::string(20, 'd'), .piece = 1, .pieceDelayMs = 40});
    server.route("/mid", {.body = "partial", .length = 1000, .then = Then::Reset});
    server.route("/early", {.status = 0});
    std::string big(50 << 20, 'z');
    big.replace(0, 6, "<html>");
    server.route("/big", {.body = big});

    // A never-ending body ends on Cancel at once.
    std::atomic<bool> cancel{false};
    std::thread canceller([&] {
        std::this_thread::sleep_for(300ms);
        cancel.store(true);
    });
    auto started = Clock::now();
    EXPECT_EQ(fetch("/endless", pageFetchOptions(), &cancel), "NIL");
    EXPECT_LT(Clock::now() - started, 2s);
    canceller.join();

    TransferOptions options = pageFetchOptions();
    options.maxBody = 3 << 20;
    EXPECT_EQ(fetch("/fast", options), std::string(3 << 20, 'y')) << "cut at the limit";
    // Each byte of a slow drip comes within the stall limit; a silent server does not.
    options.stallLimit = 700ms;
    started = Clock::now();
    EXPECT_EQ(fetch("/silent", options), "NIL");
    EXPECT_LT(Clock::now() - started, 3s);
    EXPECT_EQ(fetch("/drip", options), std::string(20, 'd'));
    // A reset keeps what was read; before an answer it is a failure.
    EXPECT_EQ(fetch("/mid"), "partial");
    EXPECT_EQ(fetch("/early"), "NIL");
    EXPECT_EQ(fetch("/big"), big);
}

TEST_F(Fetch, OnlyAFinal200Or302IsReachable) {
    server.route("/", {.body = "ok"});
    server.route("/found", {.status = 302, .body = "no location"});
    server.route("/to-ok", HttpResponse::redirect(301, "/"));
    server.route("/to-missing", HttpResponse::redirect(302, "/missing"));
    server.route("/err", {.status = 500});
    server.route("/tofile", HttpResponse::redirect(302, "file:///etc/hostname"));
    server.route(
        "/endless",
        {.body = std::string(4096, 'x'), .length = -2, .pieceDelayMs = 1, .then = Then::Repeat});
    CurlReachability check;
    const std::pair<std::string, bool> rows[] = {
        {server.base(), true},           {server.url("/found"), true},
        {server.url("/to-ok"), true},    {server.url("/to-missing"), false},
        {server.url("/err"), false},     {server.url("/tofile"), false},
        {"http://127.0.0.1:1", false},   {"file:///etc/hostname", false},
        {server.base().substr(7), true}, // without a scheme the check goes to http://
    };
    for (const auto& [address, reachable] : rows)
        EXPECT_EQ(check.reachable(address), reachable) << address;
    EXPECT_EQ(reachabilityAddress("Example.com"), "http://Example.com");
    EXPECT_EQ(reachabilityAddress("HTTPS://x.org"), "HTTPS://x.org");
    for (const auto& r : server.requests()) {
        EXPECT_EQ(r.headers.at("user-agent"), "InetURL:/1.0");
        EXPECT_EQ(r.headers.at("cache-control"), "no-cache");
    }
    // An endless body does not hold the check.
    const auto started = Clock::now();
    EXPECT_TRUE(check.reachable(server.url("/endless")));
    EXPECT_LT(Clock::now() - started, 3s);
}

} // namespace
} // namespace trov
