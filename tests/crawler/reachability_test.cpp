#include "compose/reachability.h"
#include "tests/support/http_server.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace trov {
namespace {

using test::HttpResponse;
using test::HttpServer;

TEST(CheckSiteReachable, OnlyAFinal200Or302IsReachable) {
    HttpServer server;
    server.route("/", HttpResponse{200, "ok", "text/html", {}, 0});
    server.route("/found", HttpResponse{302, "no location", "text/html", {}, 0});
    server.route("/to-ok", HttpResponse::redirect(301, "/"));
    server.route("/to-missing", HttpResponse::redirect(302, "/missing"));
    server.route("/err", HttpResponse{500, "", "text/html", {}, 0});
    server.route("/tofile", HttpResponse::redirect(302, "file:///etc/hostname"));
    CurlReachability check;
    EXPECT_TRUE(check.reachable(server.base()));
    EXPECT_TRUE(check.reachable(server.url("/found")));
    EXPECT_TRUE(check.reachable(server.url("/to-ok")));
    EXPECT_FALSE(check.reachable(server.url("/to-missing")));
    EXPECT_FALSE(check.reachable(server.url("/err")));
    EXPECT_FALSE(check.reachable(server.url("/tofile")));
    EXPECT_FALSE(check.reachable("http://127.0.0.1:1"));
    EXPECT_FALSE(check.reachable("file:///etc/hostname"));
    // Without a scheme the check goes to http://.
    EXPECT_TRUE(check.reachable(server.base().substr(7)));
    EXPECT_EQ(reachabilityAddress("Example.com"), "http://Example.com");
    EXPECT_EQ(reachabilityAddress("HTTPS://x.org"), "HTTPS://x.org");
    for (const auto& r : server.requests()) {
        EXPECT_EQ(r.headers.at("user-agent"), "InetURL:/1.0");
        EXPECT_EQ(r.headers.at("cache-control"), "no-cache");
    }
}

TEST(CheckSiteReachable, AnEndlessBodyDoesNotHoldTheCheck) {
    HttpServer server;
    server.rawRoute("/", [](int fd, const test::HttpRequest&, const std::atomic<bool>& stop) {
        test::sendAll(fd, "HTTP/1.1 200 OK\r\n\r\n");
        while (!stop.load() && test::sendAll(fd, std::string(4096, 'x')))
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return false;
    });
    const auto started = std::chrono::steady_clock::now();
    EXPECT_TRUE(CurlReachability().reachable(server.base()));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(3));
}

} // namespace
} // namespace trov
