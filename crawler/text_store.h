// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the link table keeps the titles and texts of its pages: appended to an unnamed
// temporary file (in $TMPDIR, else /tmp) that is gone with the store, even after a crash,
// so the memory of a crawl does not grow with the site; the table holds only where each
// text lies. Where no such file can be made or written (a full disk) the texts are kept in
// memory instead. Safe to use from several threads.

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

namespace trov {

// Where one text lies in its store. The default is the empty text.
struct StoredText {
    std::uint64_t offset = 0;
    std::uint32_t size = 0;
    bool inMemory = false;
};

class TextStore {
public:
    TextStore() = default;
    ~TextStore();
    TextStore(const TextStore&) = delete;
    TextStore& operator=(const TextStore&) = delete;

    StoredText put(std::string_view text);
    std::string get(StoredText where) const;
    // Forgets every text; what put gave before reads as nothing useful afterwards.
    void clear();

private:
    bool openFile(); // under the mutex

    mutable std::mutex mutex_;
    int fd_ = -1;
    bool noFile_ = false;   // none could be made
    bool fileFull_ = false; // a write failed
    std::uint64_t fileEnd_ = 0;
    std::string memory_;
};

} // namespace trov
