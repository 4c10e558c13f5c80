#pragma once

// A small HTTP/1.1 server on 127.0.0.1 for the tests: fixed responses or handlers per
// path, keep-alive, an optional delay per response, and raw handlers that may misbehave
// (never finish, drip, reset). It listens on a free port from construction until
// destruction; every connection thread is joined on stop.

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace trov::test {

struct HttpRequest {
    std::string method;
    std::string target;                         // as sent: path and query
    std::string version;                        // "HTTP/1.1"
    std::string path;                           // without the query
    std::map<std::string, std::string> headers; // names in lower case
};

struct HttpResponse {
    int status = 200;
    std::string body;
    std::string contentType = "text/html";
    std::vector<std::pair<std::string, std::string>> headers;
    int delayMs = 0;

    static HttpResponse redirect(int status, std::string location);
};

class HttpServer {
public:
    using Handler = std::function<HttpResponse(const HttpRequest&)>;
    // Owns the socket for one request; return false to close the connection afterwards.
    using RawHandler =
        std::function<bool(int fd, const HttpRequest&, const std::atomic<bool>& stop)>;

    HttpServer();
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    void route(const std::string& path, HttpResponse response);
    void route(const std::string& path, Handler handler);
    void rawRoute(const std::string& path, RawHandler handler);
    // Answers paths that have no route (default: 404 "Not found").
    void fallback(Handler handler);

    int port() const { return port_; }
    std::string base() const; // "http://127.0.0.1:PORT"
    std::string url(const std::string& path = "/") const { return base() + path; }

    std::vector<HttpRequest> requests() const;
    int connectionCount() const { return connections_.load(); }
    void stop();

private:
    void acceptLoop();
    void serve(int fd);
    bool answer(int fd, const HttpRequest& request);

    int listenFd_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<int> connections_{0};
    std::thread acceptThread_;
    mutable std::mutex mutex_;
    std::vector<std::thread> workers_;
    std::vector<int> openFds_;
    std::map<std::string, Handler> routes_;
    std::map<std::string, RawHandler> rawRoutes_;
    Handler fallback_;
    std::vector<HttpRequest> log_;
};

// Writes all bytes to a socket, false when the peer is gone.
bool sendAll(int fd, const std::string& bytes);

} // namespace trov::test
