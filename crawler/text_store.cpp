// SPDX-License-Identifier: GPL-3.0-or-later
#include "crawler/text_store.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <limits>
#include <unistd.h>

namespace trov {

namespace {

std::string temporaryFolder() {
    const char* dir = std::getenv("TMPDIR");
    return dir && *dir ? dir : "/tmp";
}

} // namespace

TextStore::~TextStore() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool TextStore::openFile() {
    if (fd_ >= 0 || noFile_)
        return fd_ >= 0;
    const std::string dir = temporaryFolder();
    fd_ = ::open(dir.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd_ < 0) {
        // A file system without unnamed files: a named one, unlinked at once.
        std::string name = dir + "/trov-texts-XXXXXX";
        fd_ = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd_ >= 0)
            ::unlink(name.c_str());
    }
    noFile_ = fd_ < 0;
    return fd_ >= 0;
}

StoredText TextStore::put(std::string_view text) {
    if (text.empty())
        return {};
    // Texts are pages cut at a few tens of megabytes; a size field never overflows.
    text = text.substr(0, std::numeric_limits<std::uint32_t>::max());
    const auto size = static_cast<std::uint32_t>(text.size());
    std::lock_guard lock(mutex_);
    if (!fileFull_ && openFile()) {
        std::size_t written = 0;
        while (written < text.size()) {
            const ssize_t n = ::pwrite(fd_, text.data() + written, text.size() - written,
                                       static_cast<off_t>(fileEnd_ + written));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            written += static_cast<std::size_t>(n);
        }
        if (written == text.size()) {
            const StoredText where{fileEnd_, size, false};
            fileEnd_ += size;
            return where;
        }
        fileFull_ = true; // memory from now on; the file's texts stay readable
    }
    const StoredText where{memory_.size(), size, true};
    memory_.append(text);
    return where;
}

std::string TextStore::get(StoredText where) const {
    std::string text(where.size, '\0');
    std::lock_guard lock(mutex_);
    if (where.inMemory) {
        text.assign(memory_, where.offset, where.size);
        return text;
    }
    std::size_t read = 0;
    while (fd_ >= 0 && read < text.size()) {
        const ssize_t n = ::pread(fd_, text.data() + read, text.size() - read,
                                  static_cast<off_t>(where.offset + read));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        read += static_cast<std::size_t>(n);
    }
    text.resize(read);
    return text;
}

void TextStore::clear() {
    std::lock_guard lock(mutex_);
    if (fd_ >= 0 && ::ftruncate(fd_, 0) != 0) {
        ::close(fd_); // a fresh file next time
        fd_ = -1;
    }
    fileEnd_ = 0;
    fileFull_ = false;
    std::string().swap(memory_);
}

} // namespace trov
