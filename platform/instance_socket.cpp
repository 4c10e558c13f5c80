#include "platform/instance_socket.h"

#include "common/text.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace trov::platform {

namespace {

constexpr std::size_t kMaxSocketPath = sizeof(sockaddr_un::sun_path) - 1;

std::string runtimeDirName(const std::string& name) {
    if (const char* dir = std::getenv("XDG_RUNTIME_DIR"); dir && dir[0] == '/') {
        std::string d = dir;
        while (d.size() > 1 && d.back() == '/')
            d.pop_back();
        return d + "/" + name;
    }
    // /tmp is shared: the user id keeps two users of one installation apart.
    return "/tmp/" + name + "-" + std::to_string(::getuid());
}

std::string fnv1aHex(std::string_view s) {
    std::uint64_t h = 1469598103934665603ull;
    for (const char c : s) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ull;
    }
    char buf[17];
    std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(h));
    return buf;
}

} // namespace

InstanceMessage parseInstanceMessage(std::string_view received) {
    const std::string_view head = received.substr(0, kMaxInstanceLine);
    const std::size_t end = head.find('\n');
    if (end == std::string_view::npos)
        return received.size() >= kMaxInstanceLine ? InstanceMessage::TooLong
                                                   : InstanceMessage::Incomplete;
    const std::string_view line = text::trim(head.substr(0, end));
    for (const auto m : {InstanceMessage::Toggle, InstanceMessage::Show, InstanceMessage::Front})
        if (line == instanceMessageName(m))
            return m;
    return InstanceMessage::Unknown;
}

std::string_view instanceMessageName(InstanceMessage message) {
    switch (message) {
    case InstanceMessage::Toggle:
        return kToggleMessage;
    case InstanceMessage::Show:
        return kShowMessage;
    case InstanceMessage::Front:
        return kFrontMessage;
    default:
        return {};
    }
}

std::string instanceName(std::string_view programPath) {
    std::string name;
    for (const char c : programPath)
        if (c != '/' && c != ' ')
            name += c;
    return name;
}

std::string instanceSocketPath(std::string_view programPath) {
    const std::string name = instanceName(programPath);
    std::string path = runtimeDirName(name);
    if (path.size() > kMaxSocketPath)
        path = runtimeDirName("trov-" + fnv1aHex(name));
    return path;
}

std::string instanceLockPath(std::string_view programPath) {
    return instanceSocketPath(programPath) + ".lock";
}

std::vector<std::string> windowProgramCandidates(const std::string& trovctlDir) {
    namespace fs = std::filesystem;
    std::vector<std::string> out;
    for (const char* rel : {"trov", "../app/trov"}) {
        std::error_code ec;
        fs::path p = fs::weakly_canonical(fs::absolute(fs::path(trovctlDir) / rel, ec), ec);
        if (ec)
            p = (fs::path(trovctlDir) / rel).lexically_normal();
        out.push_back(p.string());
    }
    return out;
}

bool sendInstanceMessage(const std::string& socketPath, std::string_view message, int timeoutMs) {
    if (socketPath.size() > kMaxSocketPath)
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, socketPath.data(), socketPath.size());
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0) {
        ::close(fd);
        return false;
    }
    std::string line(message);
    line += '\n';
    std::size_t sent = 0;
    while (sent < line.size()) {
        const ssize_t n = ::send(fd, line.data() + sent, line.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ::close(fd);
            return false;
        }
        sent += static_cast<std::size_t>(n);
    }
    // The answer only tells that the program has acted; its absence is not a failure.
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, timeoutMs) > 0) {
        char buf[16];
        (void)::recv(fd, buf, sizeof buf, 0);
    }
    ::close(fd);
    return true;
}

} // namespace trov::platform
