#pragma once

// Writes the history store from a thread of its own, so that a search never waits on the
// disk. Each write puts a whole list in place atomically. A list handed over while a write
// is under way waits for it, and a later list takes the waiting one's place: at most one
// write waits, and the last list handed over is always the last one written. A crash loses
// at most the lists not yet written, never the store.

#include "common/atomic_file.h"
#include "history/history_list.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace trov {

class HistoryWriter {
public:
    explicit HistoryWriter(std::string path);
    // Finishes the writes handed over.
    ~HistoryWriter();
    HistoryWriter(const HistoryWriter&) = delete;
    HistoryWriter& operator=(const HistoryWriter&) = delete;

    // Copies the list for the writer. The copy goes into the memory of a list already
    // written, so a search does not wait for fresh memory to be mapped either.
    void write(const HistoryList& list);
    // Returns once every list handed over is on disk (or its write has failed).
    void wait();
    // The failure of the latest write that failed since the last call, if any.
    std::optional<FileError> takeFailure();

private:
    void run();

    const std::string path_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<HistoryList> waiting_;
    std::optional<HistoryList> spare_; // written: no rows, their room kept
    bool writing_ = false;
    bool quit_ = false;
    std::optional<FileError> failure_;
    std::thread thread_; // started by the first write
};

} // namespace trov
