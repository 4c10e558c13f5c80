// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A small HTTP/1.1 server on 127.0.0.1 (or another loopback address, a second host) for the
// tests, on a free port from construction to stop: answers per path or from a folder,
// kept-alive connections, and answers that misbehave as hostile servers do (drip, stall,
// never end, reset).

#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace trov::test {

struct HttpRequest {
    std::string method, version;                // "GET", "HTTP/1.1"
    std::string target, path;                   // as sent, and without the query
    std::map<std::string, std::string> headers; // names in lower case
    std::chrono::steady_clock::time_point at{}; // when it was read
};

struct HttpResponse {
    // After the body: keep the connection, hold it open (until either side closes), reset
    // it, or send the body again and again.
    enum class Then { KeepAlive, Hold, Reset, Repeat };

    int status = 200; // 0: the connection is reset before any answer
    std::string body{};
    std::string contentType = "text/html";
    std::vector<std::pair<std::string, std::string>> headers{};
    int delayMs = 0;       // before the answer
    long length = -1;      // Content-Length sent: -1 the body's, -2 none
    std::size_t piece = 0; // the body goes out in pieces of this size (0: whole)...
    int pieceDelayMs = 0;  // ...with this pause after each
    Then then = Then::KeepAlive;

    static HttpResponse redirect(int status, std::string location);
    static HttpResponse notFound() { return {.status = 404, .body = "Not found"}; }
};

class HttpServer {
public:
    using Handler = std::function<HttpResponse(const HttpRequest&)>;

    explicit HttpServer(std::string host = "127.0.0.1");
    ~HttpServer() { stop(); }

    void route(const std::string& path, HttpResponse r) {
        std::lock_guard lock(mutex_);
        routes_[path] = std::move(r);
    }
    // Answers paths that have no route (default: 404 "Not found").
    void fallback(Handler h) {
        std::lock_guard lock(mutex_);
        fallback_ = std::move(h);
    }
    // Paths without a route answer with the folder's files ("index.html" for a folder),
    // "$BASE" in them replaced by base().
    void serveFolder(const std::string& folder);

    int port() const { return port_; }
    std::string base() const { return "http://" + host_ + ":" + std::to_string(port_); }
    std::string url(const std::string& path = "/") const { return base() + path; }

    std::vector<HttpRequest> requests() const {
        std::lock_guard lock(mutex_);
        return log_;
    }
    int connectionCount() const { return connections_.load(); }
    int heldOpen() const { return held_.load(); } // answers in Then::Hold right now
    void stop();

private:
    void acceptLoop();
    void serve(int fd);
    bool answer(int fd, const HttpRequest& request, const HttpResponse& response);
    void pause(int ms) const;

    std::string host_;
    int listenFd_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<int> connections_{0}, held_{0};
    std::thread acceptThread_;
    mutable std::mutex mutex_;
    std::vector<std::thread> workers_;
    std::vector<int> openFds_;
    std::map<std::string, HttpResponse> routes_;
    Handler fallback_ = [](const HttpRequest&) { return HttpResponse::notFound(); };
    std::vector<HttpRequest> log_;
};

} // namespace trov::test
