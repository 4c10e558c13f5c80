#include "tests/support/http_server.h"

#include "common/atomic_file.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <netinet/in.h>
#include <sstream>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace trov::test {

namespace {

std::string lower(std::string s) {
    std::ranges::transform(s, s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

// Reads one request head; false once the connection is closed (or shut down by stop()).
bool readRequest(int fd, std::string& buffer, HttpRequest& request) {
    std::size_t end;
    while ((end = buffer.find("\r\n\r\n")) == std::string::npos) {
        char chunk[4096];
        const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n <= 0 || buffer.size() > 1 << 20)
            return false;
        buffer.append(chunk, static_cast<std::size_t>(n));
    }
    std::istringstream head(buffer.substr(0, end));
    buffer.erase(0, end + 4);
    request = HttpRequest{};
    head >> request.method >> request.target >> request.version;
    request.path = request.target.substr(0, request.target.find('?'));
    for (std::string line; std::getline(head, line);) {
        if (line.ends_with('\r'))
            line.pop_back();
        if (const std::size_t colon = line.find(':'); colon != std::string::npos)
            request.headers[lower(line.substr(0, colon))] =
                line.substr(std::min(line.find_first_not_of(' ', colon + 1), line.size()));
    }
    return true;
}

bool sendAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n <= 0 && !(n < 0 && errno == EINTR))
            return false;
        bytes.remove_prefix(n > 0 ? static_cast<std::size_t>(n) : 0);
    }
    return true;
}

void reset(int fd) {
    linger l{1, 0}; // closing now sends a reset
    ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &l, sizeof l);
}

} // namespace

HttpResponse HttpResponse::redirect(int status, std::string location) {
    HttpResponse r{.status = status, .body = "moved"};
    r.headers.emplace_back("Location", std::move(location));
    return r;
}

HttpServer::HttpServer() {
    fallback_ = [](const HttpRequest&) { return HttpResponse{.status = 404, .body = "Not found"}; };
    listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (listenFd_ < 0 || ::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), len) != 0 ||
        ::listen(listenFd_, 128) != 0 ||
        ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
        throw std::runtime_error("test server: cannot listen on 127.0.0.1");
    port_ = ntohs(addr.sin_port);
    acceptThread_ = std::thread([this] { acceptLoop(); });
}

HttpServer::~HttpServer() {
    stop();
}

void HttpServer::stop() {
    if (stopping_.exchange(true))
        return;
    ::shutdown(listenFd_, SHUT_RDWR); // wakes the accept
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
    std::lock_guard lock(mutex_);
    routes_[path] = std::move(response);
}

void HttpServer::fallback(Handler handler) {
    std::lock_guard lock(mutex_);
    fallback_ = std::move(handler);
}

void HttpServer::serveFolder(const std::string& folder) {
    fallback([folder, base = base()](const HttpRequest& r) {
        const std::string file = folder + r.path + (r.path.ends_with('/') ? "index.html" : "");
        auto text = r.path.find("..") == std::string::npos ? readWholeFile(file) : std::nullopt;
        if (!text)
            return HttpResponse{.status = 404, .body = "Not found"};
        for (std::size_t at; (at = text->find("$BASE")) != std::string::npos;)
            text->replace(at, 5, base);
        return HttpResponse{.body = *text};
    });
}

std::vector<HttpRequest> HttpServer::requests() const {
    std::lock_guard lock(mutex_);
    return log_;
}

void HttpServer::pause(int ms) const {
    for (int waited = 0; waited < ms && !stopping_.load(); waited += 5)
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min(5, ms)));
}

void HttpServer::acceptLoop() {
    for (int fd; (fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC)) >= 0 || !stopping_;) {
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
    for (HttpRequest request; !stopping_ && readRequest(fd, buffer, request);) {
        {
            std::lock_guard lock(mutex_);
            log_.push_back(request);
        }
        // HTTP/1.0 closes after each answer unless the client asked to keep the connection.
        const std::string connection = lower(request.headers["connection"]);
        if (!answer(fd, request) || connection == "close" ||
            (request.version == "HTTP/1.0" && connection != "keep-alive"))
            break;
    }
    std::lock_guard lock(mutex_);
    ::close(fd);
    std::erase(openFds_, fd);
}

bool HttpServer::answer(int fd, const HttpRequest& request) {
    HttpResponse r;
    {
        std::unique_lock lock(mutex_);
        const auto it = routes_.find(request.path);
        if (it != routes_.end()) {
            r = it->second;
        } else {
            const Handler handler = fallback_;
            lock.unlock();
            r = handler(request);
        }
    }
    pause(r.delayMs);
    if (r.status == 0) {
        reset(fd);
        return false;
    }
    // Clients read the status code only.
    std::string head = "HTTP/1.1 " + std::to_string(r.status) +
                       " Status\r\nContent-Type: " + r.contentType + "\r\n";
    if (r.length != -2)
        head +=
            "Content-Length: " + std::to_string(r.length < 0 ? r.body.size() : r.length) + "\r\n";
    for (const auto& [k, v] : r.headers)
        head += k + ": " + v + "\r\n";
    if (!sendAll(fd, head + "\r\n"))
        return false;
    const std::size_t piece = r.piece ? r.piece : std::max<std::size_t>(r.body.size(), 1);
    do {
        for (std::size_t at = 0; request.method != "HEAD" && at < r.body.size(); at += piece) {
            if (!sendAll(fd, std::string_view(r.body).substr(at, piece)))
                return false;
            pause(r.pieceDelayMs);
        }
    } while (r.then == HttpResponse::Then::Repeat && !stopping_.load());
    if (r.then == HttpResponse::Then::Hold) {
        ++held_;
        for (char c; ::recv(fd, &c, 1, 0) > 0;) {
        } // until the client lets go or the server stops
        --held_;
    } else if (r.then == HttpResponse::Then::Reset) {
        pause(50); // so the client reads what was sent before the reset arrives
        reset(fd);
    }
    return r.then == HttpResponse::Then::KeepAlive;
}

} // namespace trov::test
