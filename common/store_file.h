// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A store on disk, as every program of Trov reads and writes it. A write goes to a
// temporary file beside the store's final target (a store that is a symbolic link stays
// one), is flushed, renamed over the target, and the folder is flushed too, so a crash or
// a power cut leaves the old file or the new one, and a write reported done stays done.
// Temporary files a Trov that is no longer running left behind are removed; no other file
// is. A read gives a stamp that tells later whether another program changed the file, and
// the lock lets two programs take turns at reading, merging and writing one store.

#include "common/translatable.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trov {

struct FileError {
    std::string path;
    std::string reason;
};

// The text a program shows for a store it could not write.
inline constexpr char kUnableToWrite[] = TROV_TEXT("Core", "Unable to write to %1");
std::string unableToWrite(const std::string& path);
inline constexpr char kCannotOpenFile[] = TROV_TEXT("Core", "Cannot open file \"%1\". %2");
inline constexpr char kCannotCreateFile[] = TROV_TEXT("Core", "Cannot create file \"%1\". %2");

// What a store was when it was read or written.
struct FileStamp {
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0; // the inode's change time, which no program can set back
    std::size_t hash = 0;       // of the bytes
    // Taken so soon after the file's last change that a change within the same step of
    // the file system's clock would leave every time as it was: then only the bytes tell.
    bool racy = false;
};

class StoreFile {
public:
    explicit StoreFile(std::string path) : path_(std::move(path)) {}

    const std::string& path() const { return path_; }
    // Where the bytes are: the path, or the end of the symbolic links it names.
    std::string target() const;

    // While a Lock lives no other Lock of the same store is held, in this program or
    // another. A holder that does not let go within seconds is not waited for longer:
    // the writes stay whole either way.
    class Lock {
    public:
        Lock() = default;
        explicit Lock(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
        Lock(Lock&& other) noexcept;
        Lock& operator=(Lock&& other) noexcept;
        ~Lock();
        bool held() const { return fd_ >= 0; }

    private:
        int fd_ = -1;
        std::string path_;
    };
    Lock lock() const;

    // The whole file, or nothing when it is missing (error untouched) or cannot be read
    // (error filled). stamp receives what the file was, also when it is missing.
    std::optional<std::string> read(FileError* error = nullptr, FileStamp* stamp = nullptr) const;
    // Whether the file is no longer what stamp describes.
    bool changedSince(const FileStamp& stamp) const;
    // Replaces the target's bytes; false (and error) leaves the old file as it was. stamp
    // receives what the new file is.
    bool write(std::string_view bytes, FileError* error = nullptr,
               FileStamp* stamp = nullptr) const;

private:
    std::string path_;
};

// Flushes a folder's entries, so a rename in it survives a power cut.
bool syncFolder(const std::string& folder, FileError* error = nullptr);

// Removes from folder (ending with '/') the temporary files of the store name that a Trov
// left: those of a process no longer running, and those older than an hour, owned by the
// user. Returns how many went.
std::size_t removeStaleTemporaries(const std::string& folder, std::string_view name);

// Keeps bytes read from a store that could not make sense of them beside it, before a
// write replaces them: in "<path>.unreadable", or "-2" to "-9" after it when earlier kept
// copies hold other bytes. A kept copy is never written over; one that already holds these
// bytes is taken as it is. Returns where the bytes are kept, or nothing when they could not
// be.
std::optional<std::string> keepUnreadable(const std::string& path, std::string_view bytes);

} // namespace trov
