#include "tests/support/http_server.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace trov::test {

namespace {

std::string lower(std::string s) {
    std::ranges::transform(s, s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

// Reads one request head; false on close, error or stop.
bool readRequest(int fd, std::string& buffer, HttpRequest& request, const std::atomic<bool>& stop) {
    std::size_t end;
    while ((end = buffer.find("\r\n\r\n")) == std::string::npos) {
        pollfd p{fd, POLLIN, 0};
        const int r = ::poll(&p, 1, 100);
        if (stop.load())
            return false;
        if (r <= 0)
            continue;
        char chunk[4096];
        const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n <= 0)
            return false;
        buffer.append(chunk, static_cast<std::size_t>(n));
        if (buffer.size() > 1 << 20)
            return false;
    }
    const std::string head = buffer.substr(0, end);
    buffer.erase(0, end + 4);
    std::size_t lineEnd = head.find("\r\n");
    const std::string first = head.substr(0, lineEnd);
    const std::size_t s1 = first.find(' ');
    const std::size_t s2 = first.find(' ', s1 + 1);
    if (s1 == std::string::npos || s2 == std::string::npos)
        return false;
    request = HttpRequest{};
    request.method = first.substr(0, s1);
    request.target = first.substr(s1 + 1, s2 - s1 - 1);
    request.version = first.substr(s2 + 1);
    request.path = request.target.substr(0, request.target.find('?'));
    while (lineEnd != std::string::npos) {
        const std::size_t start = lineEnd + 2;
        lineEnd = head.find("\r\n", start);
        const std::string line = head.substr(start, lineEnd - start);
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        std::size_t v = colon + 1;
        while (v < line.size() && line[v] == ' ')
            ++v;
        request.headers[lower(line.substr(0, colon))] = line.substr(v);
    }
    return true;
}

} // namespace

HttpResponse HttpResponse::redirect(int status, std::string location) {
    return {status, "moved", "text/html", {{"Location", std::move(location)}}, 0};
}

bool sendAll(int fd, const std::string& bytes) {
    std::size_t off = 0;
    while (off < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + off, bytes.size() - off, MSG_NOSIGNAL);
        if (n <= 0) {
            if (n < 0 && errno == EINTR)
                continue;
            return false;
        }
        off += static_cast<std::size_t>(n);
    }
    return true;
}

HttpServer::HttpServer() {
    fallback_ = [](const HttpRequest&) {
        return HttpResponse{404, "Not found", "text/html", {}, 0};
    };
    listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenFd_ < 0)
        throw std::runtime_error("test server: no socket");
    const int yes = 1;
    ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(listenFd_, 128) != 0)
        throw std::runtime_error("test server: cannot listen on 127.0.0.1");
    socklen_t len = sizeof addr;
    ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    acceptThread_ = std::thread([this] { acceptLoop(); });
}

HttpServer::~HttpServer() {
    stop();
}

void HttpServer::stop() {
    if (stopping_.exchange(true))
        return;
    if (acceptThread_.joinable())
        acceptThread_.join();
    ::close(listenFd_);
    std::vector<std::thread> workers;
    {
        std::lock_guard lock(mutex_);
        for (int fd : openFds_)
            ::shutdown(fd, SHUT_RDWR);
        workers = std::move(workers_);
    }
    for (auto& t : workers)
        t.join();
}

std::string HttpServer::base() const {
    return "http://127.0.0.1:" + std::to_string(port_);
}

void HttpServer::route(const std::string& path, HttpResponse response) {
    route(path, Handler([response](const HttpRequest&) { return response; }));
}

void HttpServer::route(const std::string& path, Handler handler) {
    std::lock_guard lock(mutex_);
    routes_[path] = std::move(handler);
}

void HttpServer::rawRoute(const std::string& path, RawHandler handler) {
    std::lock_guard lock(mutex_);
    rawRoutes_[path] = std::move(handler);
}

void HttpServer::fallback(Handler handler) {
    std::lock_guard lock(mutex_);
    fallback_ = std::move(handler);
}

std::vector<HttpRequest> HttpServer::requests() const {
    std::lock_guard lock(mutex_);
    return log_;
}

void HttpServer::acceptLoop() {
    while (!stopping_.load()) {
        pollfd p{listenFd_, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0)
            continue;
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        ++connections_;
        std::lock_guard lock(mutex_);
        openFds_.push_back(fd);
        workers_.emplace_back([this, fd] { serve(fd); });
    }
}

void HttpServer::serve(int fd) {
    std::string buffer;
    HttpRequest request;
    while (!stopping_.load() && readRequest(fd, buffer, request, stopping_)) {
        {
            std::lock_guard lock(mutex_);
            log_.push_back(request);
        }
        if (!answer(fd, request))
            break;
        // HTTP/1.0 closes after each answer unless the client asked to keep the connection.
        const std::string connection = lower(request.headers["connection"]);
        if (connection == "close" || (request.version == "HTTP/1.0" && connection != "keep-alive"))
            break;
    }
    std::lock_guard lock(mutex_);
    ::close(fd);
    std::erase(openFds_, fd);
}

bool HttpServer::answer(int fd, const HttpRequest& request) {
    RawHandler raw;
    Handler handler;
    {
        std::lock_guard lock(mutex_);
        if (auto it = rawRoutes_.find(request.path); it != rawRoutes_.end())
            raw = it->second;
        else if (auto r = routes_.find(request.path); r != routes_.end())
            handler = r->second;
        else
            handler = fallback_;
    }
    if (raw)
        return raw(fd, request, stopping_);
    const HttpResponse response = handler(request);
    for (int waited = 0; waited < response.delayMs && !stopping_.load(); waited += 5)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    // Clients read the status code only.
    std::string out = "HTTP/1.1 " + std::to_string(response.status) +
                      (response.status == 200 ? " OK\r\n" : " Status\r\n");
    out += "Content-Type: " + response.contentType + "\r\n";
    out += "Content-Length: " + std::to_string(response.body.size()) + "\r\n";
    for (const auto& [k, v] : response.headers)
        out += k + ": " + v + "\r\n";
    out += "\r\n";
    if (request.method != "HEAD")
        out += response.body;
    return sendAll(fd, out);
}

} // namespace trov::test
