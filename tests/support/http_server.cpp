// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/http_server.h"

#include "common/atomic_file.h"
#include "common/text.h"

#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sstream>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace trov::test {

namespace {

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
    for (std::string line; std::getline(head, line);)
        if (const std::size_t colon = line.find(':'); colon != std::string::npos)
            request.headers[text::toLower(line.substr(0, colon))] =
                text::trim(line.substr(colon + 1));
    return true;
}

bool sendAll(int fd, std::string_view bytes) {
    for (ssize_t n; !bytes.empty(); bytes.remove_prefix(static_cast<std::size_t>(n)))
        if ((n = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL)) <= 0)
            return false;
    return true;
}

void reset(int fd) {
    linger l{1, 0}; // closing now sends a reset
    ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &l, sizeof l);
}

} // namespace

HttpResponse HttpResponse::redirect(int status, std::string location) {
    return {.status = status, .body = "moved", .headers = {{"Location", std::move(location)}}};
}

HttpServer::HttpServer(std::string host) : host_(std::move(host)) {
    listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    socklen_t len = sizeof addr;
    if (listenFd_ < 0 || ::inet_pton(AF_INET, host_.c_str(), &addr.sin_addr) != 1 ||
        ::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), len) != 0 ||
        ::listen(listenFd_, 128) != 0 ||
        ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
        throw std::runtime_error("test server: cannot listen on " + host_);
    port_ = ntohs(addr.sin_port);
    acceptThread_ = std::thread([this] { acceptLoop(); });
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

void HttpServer::serveFolder(const std::string& folder) {
    fallback([folder, base = base()](const HttpRequest& r) {
        const std::string file = folder + r.path + (r.path.ends_with('/') ? "index.html" : "");
        const auto bytes =
            r.path.find("..") != std::string::npos ? std::nullopt : readWholeFile(file);
        return bytes ? HttpResponse{.body = text::replaced(*bytes, "$BASE", base)}
                     : HttpResponse::notFound();
    });
}

void HttpServer::pause(int ms) const {
    for (int waited = 0; waited < ms && !stopping_.load(); waited += 5)
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min(5, ms)));
}

void HttpServer::acceptLoop() {
    for (int fd; (fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC)) >= 0 || !stopping_;) {
        if (fd < 0)
            continue;
        // The head and the body go out as two writes; without this the body of every answer
        // on a kept-alive connection would wait for the client's delayed acknowledgement.
        const int on = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        ++connections_;
        std::lock_guard lock(mutex_);
        openFds_.push_back(fd);
        workers_.emplace_back([this, fd] { serve(fd); });
    }
}

void HttpServer::serve(int fd) {
    std::string buffer;
    for (HttpRequest request; !stopping_ && readRequest(fd, buffer, request);) {
        const std::string connection = text::toLower(request.headers["connection"]);
        Handler handler;
        {
            std::lock_guard lock(mutex_);
            request.at = std::chrono::steady_clock::now();
            log_.push_back(request);
            if (const auto it = routes_.find(request.path); it != routes_.end())
                handler = [r = it->second](const HttpRequest&) { return r; };
            else
                handler = fallback_;
        }
        // HTTP/1.0 closes after each answer unless the client asked to keep the connection.
        if (!answer(fd, request, handler(request)) || connection == "close" ||
            (request.version == "HTTP/1.0" && connection != "keep-alive"))
            break;
    }
    std::lock_guard lock(mutex_);
    ::close(fd);
    std::erase(openFds_, fd);
}

bool HttpServer::answer(int fd, const HttpRequest& request, const HttpResponse& r) {
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
