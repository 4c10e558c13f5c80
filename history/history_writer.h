// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Writes the history store from a thread of its own, so that a search never waits on the
// disk. Each write puts a whole list in place atomically. A list handed over while a write
// is under way waits for it, and a later list takes the waiting one's place: at most one
// write waits, and the last list handed over is always the last one written. A crash loses
// at most the lists not yet written, never the store.
//
// Another program may write the store too. Each list comes with the edits made to its
// rows since the one before, and the writer keeps those not yet in the store. When the
// store is no longer what this program last read or wrote, the writer reads it and
// replays the edits on it instead of writing the list as it is; the window takes the rows
// so written when it next hands over a list.

#include "common/store_file.h"
#include "history/history_list.h"
#include "history/history_merge.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace trov {

class HistoryWriter {
public:
    explicit HistoryWriter(std::string path);
    // Finishes the writes handed over.
    ~HistoryWriter();
    HistoryWriter(const HistoryWriter&) = delete;
    HistoryWriter& operator=(const HistoryWriter&) = delete;

    // The store as the window's list was read from it.
    void loaded(const FileStamp& stamp);
    // Copies the list for the writer. The copy goes into the memory of a list already
    // written, so a search does not wait for fresh memory to be mapped either.
    void write(const HistoryList& list, std::vector<HistoryEdit> edits);
    // Returns once every list handed over is on disk (or its write has failed).
    void wait();
    // The failure of the latest write that failed since the last call, if any.
    std::optional<FileError> takeFailure();
    // The rows last written when they are not the window's own (another program's rows
    // were merged in), once, and only while no write waits or runs.
    std::optional<std::vector<HistoryRecord>> takeMergedRows();

private:
    void run();
    // On the writer thread, under the store's lock.
    bool put(const HistoryList& list, bool asHanded,
             std::optional<std::vector<HistoryRecord>>& merged, FileError& error);

    const StoreFile file_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<HistoryList> waiting_;
    std::vector<HistoryEdit> handed_;  // edits that came with the lists since the last take
    std::optional<HistoryList> spare_; // written: no rows, their room kept
    bool writing_ = false;
    bool quit_ = false;
    std::optional<FileError> failure_;
    // Whether the window's rows are the store's as last written, so a list can go as it is.
    bool windowHasStore_ = true;
    std::optional<std::vector<HistoryRecord>> merged_;
    // Writer thread only (and before it starts): the store as last read or written here,
    // and the edits not yet in it.
    FileStamp stamp_;
    std::vector<HistoryEdit> unstored_;
    std::thread thread_; // started by the first write
};

} // namespace trov
