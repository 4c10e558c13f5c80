// SPDX-License-Identifier: GPL-3.0-or-later
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
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace trov::platform {

namespace {

constexpr std::size_t kMaxSocketPath = sizeof(sockaddr_un::sun_path) - 1;

std::string withoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

InstanceFolder refused(std::string_view why, const std::string& dir, std::string_view detail = {}) {
    return {{}, formatText(why, {dir, detail})};
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

InstanceFolder instanceFolder(bool make) {
    if (const char* dir = std::getenv("XDG_RUNTIME_DIR"); dir && dir[0] == '/')
        return {withoutTrailingSlashes(dir) + "/", {}};
    const char* tmp = std::getenv("TMPDIR");
    const std::string shared = withoutTrailingSlashes(tmp && tmp[0] == '/' ? tmp : "/tmp");
    const unsigned uid = ::getuid();
    return privateFolder(shared + "/trov-" + std::to_string(uid), uid, make);
}

InstanceFolder privateFolder(const std::string& path, unsigned uid, bool make) {
    const std::string dir = withoutTrailingSlashes(path);
    if (make && ::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST)
        return refused(kFolderNotMade, dir, std::strerror(errno));
    struct stat st {};
    if (::lstat(dir.c_str(), &st) != 0)
        return errno == ENOENT && !make ? InstanceFolder{}
                                        : refused(kFolderNotRead, dir, std::strerror(errno));
    if (S_ISLNK(st.st_mode))
        return refused(kFolderIsLink, dir);
    if (!S_ISDIR(st.st_mode))
        return refused(kFolderNotFolder, dir);
    if (st.st_uid != uid)
        return refused(kFolderNotOurs, dir);
    if ((st.st_mode & 0777) != 0700) {
        char mode[8];
        std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(st.st_mode & 0777));
        return refused(kFolderMode, dir, mode);
    }
    return {dir + "/", {}};
}

std::string instanceSocketPath(const std::string& folder, std::string_view programPath) {
    const std::string name = instanceName(programPath);
    std::string path = folder + name;
    if (path.size() > kMaxSocketPath)
        path = folder + "trov-" + fnv1aHex(name);
    return path;
}

std::string instanceLockPath(const std::string& folder, std::string_view programPath) {
    return instanceSocketPath(folder, programPath) + ".lock";
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
