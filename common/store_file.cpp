// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/store_file.h"

#include "common/translatable.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace trov {

namespace {

constexpr int kMaxLinks = 40;                      // as the kernel follows them
constexpr std::int64_t kRacyNs = 2'000'000'000;    // a coarse clock step, with room
constexpr std::int64_t kStaleTemporaryS = 60 * 60; // no write takes an hour
constexpr auto kLockPatience = std::chrono::seconds(5);
constexpr std::string_view kTemporaryMark = ".trov-tmp-";
constexpr std::string_view kLockMark = ".trov-lock";
constexpr int kKeptCopies = 9;

void fail(FileError* error, const std::string& path, int err) {
    if (error)
        *error = FileError{path, std::strerror(err)};
}

std::int64_t nanoseconds(const timespec& t) {
    return std::int64_t(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

std::int64_t now() {
    timespec t{};
    ::clock_gettime(CLOCK_REALTIME, &t);
    return nanoseconds(t);
}

FileStamp stampOf(const struct stat& st, std::string_view bytes) {
    FileStamp s;
    s.exists = true;
    s.device = st.st_dev;
    s.inode = st.st_ino;
    s.size = static_cast<std::uint64_t>(st.st_size);
    s.modifiedNs = nanoseconds(st.st_mtim);
    s.changedNs = nanoseconds(st.st_ctim);
    s.hash = std::hash<std::string_view>{}(bytes);
    s.racy = std::max(s.modifiedNs, s.changedNs) > now() - kRacyNs;
    return s;
}

bool sameFile(const FileStamp& s, const struct stat& st) {
    return s.device == st.st_dev && s.inode == st.st_ino &&
           s.size == static_cast<std::uint64_t>(st.st_size) &&
           s.modifiedNs == nanoseconds(st.st_mtim) && s.changedNs == nanoseconds(st.st_ctim);
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The folder (ending with '/') and the name of a path.
std::pair<std::string, std::string> splitPath(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return {"./", path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

bool running(long pid) {
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

// "<pid>-<n>": the process that made a temporary file.
std::optional<long> temporaryOwner(std::string_view tail) {
    long pid = 0;
    const auto [end, ec] = std::from_chars(tail.data(), tail.data() + tail.size(), pid);
    if (ec != std::errc() || end == tail.data() + tail.size() || *end != '-')
        return std::nullopt;
    const std::string_view counter = tail.substr(static_cast<std::size_t>(end - tail.data()) + 1);
    if (counter.empty() || counter.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    return pid;
}

// Earlier versions named their temporary files "<name>.tmp-" and six letters or digits.
bool earlierTemporary(std::string_view entry, std::string_view name) {
    constexpr std::string_view mark = ".tmp-";
    if (entry.size() != name.size() + mark.size() + 6 || !entry.starts_with(name) ||
        entry.substr(name.size(), mark.size()) != mark)
        return false;
    for (const char c : entry.substr(name.size() + mark.size()))
        if (!std::isalnum(static_cast<unsigned char>(c)))
            return false;
    return true;
}

int createTemporary(const std::string& folder, const std::string& name, std::string& temp) {
    static std::atomic<unsigned> counter{0};
    for (;;) {
        temp = folder + "." + name + std::string(kTemporaryMark) + std::to_string(::getpid()) +
               "-" + std::to_string(counter++);
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST)
            return fd; // an EEXIST is a file a process of the same number left
    }
}

} // namespace

std::string unableToWrite(const std::string& path) {
    return formatText(kUnableToWrite, {path});
}

std::string StoreFile::target() const {
    std::string at = path_;
    for (int hops = 0; hops < kMaxLinks; ++hops) {
        struct stat st {};
        if (::lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return at;
        std::string link(static_cast<std::size_t>(st.st_size) + 1, '\0');
        const ssize_t n = ::readlink(at.c_str(), link.data(), link.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= link.size())
            return at; // changed meanwhile: the write then meets whatever is there
        link.resize(static_cast<std::size_t>(n));
        at = link.front() == '/' ? link : splitPath(at).first + link;
    }
    return at; // a loop: the write fails on it as the open would
}

StoreFile::Lock::Lock(Lock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)) {}

StoreFile::Lock& StoreFile::Lock::operator=(Lock&& other) noexcept {
    if (this != &other) {
        Lock gone(std::move(*this));
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
    }
    return *this;
}

StoreFile::Lock::~Lock() {
    if (fd_ < 0)
        return;
    // Removed while still held, so the next holder never locks a file no longer there
    // without noticing, and no lock file stays behind.
    ::unlink(path_.c_str());
    ::close(fd_);
}

StoreFile::Lock StoreFile::lock() const {
    const auto [folder, name] = splitPath(target());
    const std::string path = folder + "." + name + std::string(kLockMark);
    const auto giveUp = std::chrono::steady_clock::now() + kLockPatience;
    for (;;) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0)
            return {}; // a folder we cannot write in: the write will tell
        int locked;
        while ((locked = ::flock(fd, LOCK_EX | LOCK_NB)) != 0 &&
               (errno == EWOULDBLOCK || errno == EINTR) &&
               std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        // The holder before may have removed the file as it let go: lock the one there.
        struct stat held {};
        struct stat there {};
        if (locked == 0 && ::fstat(fd, &held) == 0 && ::stat(path.c_str(), &there) == 0 &&
            held.st_dev == there.st_dev && held.st_ino == there.st_ino)
            return Lock(fd, path);
        ::close(fd);
        if (locked != 0 || std::chrono::steady_clock::now() >= giveUp)
            return {};
    }
}

std::optional<std::string> StoreFile::read(FileError* error, FileStamp* stamp) const {
    if (stamp)
        *stamp = {};
    const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT)
            fail(error, path_, errno);
        return std::nullopt;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        const int err = S_ISDIR(st.st_mode) ? EISDIR : errno;
        ::close(fd);
        fail(error, path_, err);
        return std::nullopt;
    }
    std::string bytes;
    if (st.st_size > 0)
        bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            ::close(fd);
            fail(error, path_, err);
            return std::nullopt;
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    if (stamp)
        *stamp = stampOf(st, bytes); // the times from before the read: a change during it shows
    return bytes;
}

bool StoreFile::changedSince(const FileStamp& stamp) const {
    struct stat st {};
    if (::stat(path_.c_str(), &st) != 0)
        return stamp.exists;
    if (!stamp.exists || !sameFile(stamp, st))
        return true;
    if (!stamp.racy)
        return false;
    FileStamp now;
    return !read(nullptr, &now) || now.hash != stamp.hash;
}

bool StoreFile::write(std::string_view bytes, FileError* error, FileStamp* stamp) const {
    const std::string at = target();
    const auto [folder, name] = splitPath(at);
    removeStaleTemporaries(folder, name);
    std::string temp;
    const int fd = createTemporary(folder, name, temp);
    if (fd < 0) {
        fail(error, path_, errno);
        return false;
    }
    // Keep the permissions of the file being replaced; a new store is private to the user.
    struct stat old {};
    ::fchmod(fd, ::stat(at.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0600);
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0) {
        const int err = errno;
        ::close(fd);
        ::unlink(temp.c_str());
        fail(error, path_, err);
        return false;
    }
    if (::close(fd) != 0 || ::rename(temp.c_str(), at.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        fail(error, path_, err);
        return false;
    }
    if (!syncFolder(folder, error)) {
        if (error)
            error->path = path_;
        return false;
    }
    if (stamp) {
        struct stat st {};
        *stamp = ::stat(at.c_str(), &st) == 0 ? stampOf(st, bytes) : FileStamp{};
    }
    return true;
}

bool syncFolder(const std::string& folder, FileError* error) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        fail(error, folder, errno);
        return false;
    }
    const bool synced = ::fsync(fd) == 0;
    const int err = errno;
    ::close(fd);
    // Some file systems cannot flush a folder; their renames are as safe as they get.
    if (synced || err == EINVAL || err == EROFS)
        return true;
    fail(error, folder, err);
    return false;
}

std::size_t removeStaleTemporaries(const std::string& folder, std::string_view name) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return 0;
    const std::string ours = "." + std::string(name) + std::string(kTemporaryMark);
    const std::int64_t staleBefore = now() - kStaleTemporaryS * 1'000'000'000;
    std::size_t removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view entryName = entry->d_name;
        std::optional<long> owner;
        if (entryName.starts_with(ours))
            owner = temporaryOwner(entryName.substr(ours.size()));
        if (!owner && !earlierTemporary(entryName, name))
            continue;
        const std::string path = folder + std::string(entryName);
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid())
            continue;
        const bool old = nanoseconds(st.st_mtim) < staleBefore;
        const bool orphaned = owner && *owner != ::getpid() && !running(*owner);
        if ((old || orphaned) && ::unlink(path.c_str()) == 0)
            ++removed;
    }
    ::closedir(dir);
    return removed;
}

std::optional<std::string> keepUnreadable(const std::string& path, std::string_view bytes) {
    for (int n = 1; n <= kKeptCopies; ++n) {
        const std::string kept =
            path + ".unreadable" + (n == 1 ? std::string() : "-" + std::to_string(n));
        struct stat st {};
        if (::lstat(kept.c_str(), &st) != 0) {
            if (errno != ENOENT || !StoreFile(kept).write(bytes))
                return std::nullopt;
            return kept;
        }
        if (StoreFile(kept).read() == bytes)
            return kept;
    }
    return std::nullopt;
}

} // namespace trov
