// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/history_writer.h"

#include "history/history_store.h"
#include "history/list_view_stream.h"

#include <iterator>
#include <utility>

namespace trov {

HistoryWriter::HistoryWriter(std::string path) : file_(std::move(path)) {}

HistoryWriter::~HistoryWriter() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void HistoryWriter::loaded(const FileStamp& stamp) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !waiting_ && !writing_; });
    stamp_ = stamp;
    unstored_.clear();
    handed_.clear();
    merged_.reset();
    windowHasStore_ = true;
}

void HistoryWriter::write(const HistoryList& list, std::vector<HistoryEdit> edits) {
    {
        std::lock_guard lock(mutex_);
        // A list still waiting is overwritten in place: only the latest one is written.
        if (!waiting_) {
            waiting_.swap(spare_);
            if (!waiting_)
                waiting_.emplace();
        }
        *waiting_ = list; // copy assignment reuses the spare's row storage
        handed_.insert(handed_.end(), std::make_move_iterator(edits.begin()),
                       std::make_move_iterator(edits.end()));
        if (!thread_.joinable())
            thread_ = std::thread([this] { run(); });
    }
    changed_.notify_all();
}

void HistoryWriter::wait() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !waiting_ && !writing_; });
}

std::optional<FileError> HistoryWriter::takeFailure() {
    std::lock_guard lock(mutex_);
    return std::exchange(failure_, std::nullopt);
}

std::optional<std::vector<HistoryRecord>> HistoryWriter::takeMergedRows() {
    std::lock_guard lock(mutex_);
    if (waiting_ || writing_ || !merged_)
        return std::nullopt;
    windowHasStore_ = true;
    return std::exchange(merged_, std::nullopt);
}

void HistoryWriter::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return waiting_ || quit_; });
        if (!waiting_)
            return; // quit with nothing left to write
        std::optional<HistoryList> list;
        list.swap(waiting_);
        unstored_.insert(unstored_.end(), std::make_move_iterator(handed_.begin()),
                         std::make_move_iterator(handed_.end()));
        handed_.clear();
        const bool asHanded = windowHasStore_;
        writing_ = true;
        lock.unlock();
        FileError error;
        std::optional<std::vector<HistoryRecord>> merged;
        const bool written = put(*list, asHanded, merged, error);
        list->rows.clear();
        lock.lock();
        writing_ = false;
        spare_.swap(list);
        if (written) {
            windowHasStore_ = !merged;
            merged_ = std::move(merged);
        } else {
            failure_ = std::move(error);
        }
        changed_.notify_all();
    }
}

bool HistoryWriter::put(const HistoryList& list, bool asHanded,
                        std::optional<std::vector<HistoryRecord>>& merged, FileError& error) {
    const StoreFile::Lock lock = file_.lock();
    if (!asHanded || file_.changedSince(stamp_)) {
        HistoryList there;
        // A store that is gone or cannot be read is replaced by the window's list, as it
        // always was.
        if (readHistoryFile(file_.path(), there)) {
            replayHistoryEdits(there.rows, unstored_);
            const HistoryList out{list.geometry, list.columns, std::move(there.rows),
                                  list.multiSelect};
            if (!file_.write(writeListViewStream(out), &error, &stamp_))
                return false;
            merged = out.rows;
            unstored_.clear();
            return true;
        }
    }
    if (!file_.write(writeListViewStream(list), &error, &stamp_))
        return false;
    unstored_.clear();
    return true;
}

} // namespace trov
