#include "common/version.h"
#include "crawler/body_decoding.h"
#include "crawler/curl_page_source.h"
#include "tests/support/http_server.h"

#include <chrono>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>

namespace trov {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using test::HttpRequest;
using test::HttpResponse;
using test::HttpServer;
using test::sendAll;

std::string fetch(const std::string& address, TransferOptions options = pageFetchOptions(),
                  const std::atomic<bool>* abort = nullptr) {
    return FetchPage(address, options, abort);
}

struct FetchPage : ::testing::Test {
    HttpServer server;
};

void resetConnection(int fd) {
    linger l{1, 0}; // close with a reset
    ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &l, sizeof l);
}

TEST_F(FetchPage, StatusIsNeverExaminedAndFailuresAreNil) {
    server.route("/empty", HttpResponse{200, "", "text/html", {}, 0});
    server.route("/err", HttpResponse{500, "server says no", "text/html", {}, 0});
    server.route("/r", HttpResponse::redirect(302, "/empty"));
    server.route("/loop", HttpResponse::redirect(302, "/loop"));
    server.route("/tofile", HttpResponse::redirect(302, "file:///etc/hostname"));
    EXPECT_EQ(fetch(server.url("/nothing")), "Not found");
    EXPECT_EQ(fetch(server.url("/err")), "server says no");
    EXPECT_EQ(fetch(server.url("/empty")), "");
    EXPECT_EQ(fetch(server.url("/r")), "");
    EXPECT_EQ(fetch(server.url("/loop")), "NIL");
    EXPECT_EQ(fetch(server.url("/tofile")), "NIL");
    EXPECT_EQ(fetch("file:///etc/hostname"), "NIL");
    EXPECT_EQ(fetch("ftp://127.0.0.1:1/x"), "NIL");
    EXPECT_EQ(fetch("not an address"), "NIL");
    EXPECT_EQ(fetch("http://127.0.0.1:1/"), "NIL"); // refused
    for (const auto& r : server.requests()) {
        EXPECT_EQ(r.headers.at("user-agent"),
                  "Mozilla/5.0(compatible; Trov 1.0; " + std::string(kProductUrl) + ")");
        EXPECT_EQ(r.headers.at("cache-control"), "no-cache");
        EXPECT_EQ(r.headers.at("pragma"), "no-cache");
    }
}

TEST_F(FetchPage, DecodesTheBodyAsOneWhole) {
    // A two-byte character straddles every 1024-byte read.
    std::string utf8(1023, 'a');
    utf8 += "\xc3\xa9";
    utf8 += std::string(1022, 'b') + "\xe2\x82\xac" + "end";
    server.rawRoute("/split", [utf8](int fd, const HttpRequest&, const std::atomic<bool>&) {
        sendAll(fd, "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(utf8.size()) +
                        "\r\nConnection: close\r\n\r\n");
        for (std::size_t off = 0; off < utf8.size(); off += 1024) {
            sendAll(fd, utf8.substr(off, 1024));
            std::this_thread::sleep_for(20ms);
        }
        return false;
    });
    server.route("/cp1252", HttpResponse{200, "caf\xe9 \x80", "text/html", {}, 0});
    server.route("/latin2", HttpResponse{200, "\xb1", "text/html; charset=ISO-8859-2", {}, 0});
    server.route("/meta",
                 HttpResponse{200, "<meta charset=\"iso-8859-2\">\xb1", "text/html", {}, 0});
    server.route("/lying", HttpResponse{200, "\x81\xff", "text/html; charset=utf-8", {}, 0});
    EXPECT_EQ(fetch(server.url("/split")), utf8);
    EXPECT_EQ(fetch(server.url("/cp1252")), "caf\xc3\xa9 \xe2\x82\xac");
    EXPECT_EQ(fetch(server.url("/latin2")), "\xc4\x85");
    EXPECT_EQ(fetch(server.url("/meta")), "<meta charset=\"iso-8859-2\">\xc4\x85");
    EXPECT_EQ(fetch(server.url("/lying")), "\xc2\x81\xc3\xbf");
    EXPECT_EQ(declaredCharset("", "text/html; Charset=\"Shift_JIS\""), "shift_jis");
}

TEST_F(FetchPage, ANeverEndingBodyEndsOnCancelAtOnce) {
    server.rawRoute("/", [](int fd, const HttpRequest&, const std::atomic<bool>& stop) {
        sendAll(fd, "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n");
        const std::string chunk(1024, 'x');
        while (!stop.load() && sendAll(fd, chunk))
            std::this_thread::sleep_for(1ms);
        return false;
    });
    std::atomic<bool> cancel{false};
    std::thread canceller([&] {
        std::this_thread::sleep_for(300ms);
        cancel.store(true);
    });
    const auto started = Clock::now();
    EXPECT_EQ(fetch(server.url("/"), pageFetchOptions(), &cancel), "NIL");
    EXPECT_LT(Clock::now() - started, 2s);
    canceller.join();
}

TEST_F(FetchPage, AnEndlessFastBodyIsCutAtTheLimit) {
    server.rawRoute("/", [](int fd, const HttpRequest&, const std::atomic<bool>& stop) {
        sendAll(fd, "HTTP/1.1 200 OK\r\n\r\n");
        const std::string chunk(64 * 1024, 'y');
        while (!stop.load() && sendAll(fd, chunk)) {
        }
        return false;
    });
    TransferOptions options = pageFetchOptions();
    options.maxBody = 3 << 20;
    EXPECT_EQ(fetch(server.url("/"), options), std::string(3 << 20, 'y'));
}

// Each byte of a slow drip comes within the stall limit; a silent server does not.
TEST_F(FetchPage, ASilentServerFailsAfterTheStallLimitAndASlowDripIsRead) {
    server.rawRoute("/silent", [](int fd, const HttpRequest&, const std::atomic<bool>& stop) {
        sendAll(fd, "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabc");
        while (!stop.load())
            std::this_thread::sleep_for(10ms);
        return false;
    });
    server.rawRoute("/drip", [](int fd, const HttpRequest&, const std::atomic<bool>& stop) {
        sendAll(fd, "HTTP/1.1 200 OK\r\nContent-Length: 20\r\n\r\n");
        for (int i = 0; i < 20 && !stop.load(); ++i) {
            sendAll(fd, "d");
            std::this_thread::sleep_for(40ms);
        }
        return false;
    });
    TransferOptions options = pageFetchOptions();
    options.stallLimit = 700ms;
    const auto started = Clock::now();
    EXPECT_EQ(fetch(server.url("/silent"), options), "NIL");
    EXPECT_LT(Clock::now() - started, 3s);
    EXPECT_EQ(fetch(server.url("/drip"), options), std::string(20, 'd'));
}

TEST_F(FetchPage, AResetKeepsWhatWasReadAndBeforeAnAnswerIsNil) {
    server.rawRoute("/mid", [](int fd, const HttpRequest&, const std::atomic<bool>&) {
        sendAll(fd, "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\npartial");
        std::this_thread::sleep_for(50ms);
        resetConnection(fd);
        return false;
    });
    server.rawRoute("/early", [](int fd, const HttpRequest&, const std::atomic<bool>&) {
        resetConnection(fd);
        return false;
    });
    EXPECT_EQ(fetch(server.url("/mid")), "partial");
    EXPECT_EQ(fetch(server.url("/early")), "NIL");
}

TEST_F(FetchPage, AFiftyMegabytePageArrivesWhole) {
    std::string big(50 << 20, 'z');
    big.replace(0, 6, "<html>");
    server.route("/", HttpResponse{200, big, "text/html", {}, 0});
    const auto started = Clock::now();
    const std::string body = fetch(server.url("/"));
    EXPECT_EQ(body.size(), big.size());
    EXPECT_EQ(body.substr(0, 6), "<html>");
    EXPECT_LT(Clock::now() - started, 60s);
}

} // namespace
} // namespace trov
