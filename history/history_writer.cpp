#include "history/history_writer.h"

#include "history/history_store.h"

#include <utility>

namespace trov {

HistoryWriter::HistoryWriter(std::string path) : path_(std::move(path)) {}

HistoryWriter::~HistoryWriter() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void HistoryWriter::write(const HistoryList& list) {
    {
        std::lock_guard lock(mutex_);
        // A list still waiting is overwritten in place: only the latest one is written.
        if (!waiting_) {
            waiting_.swap(spare_);
            if (!waiting_)
                waiting_.emplace();
        }
        *waiting_ = list; // copy assignment reuses the spare's row storage
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

void HistoryWriter::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return waiting_ || quit_; });
        if (!waiting_)
            return; // quit with nothing left to write
        std::optional<HistoryList> list;
        list.swap(waiting_);
        writing_ = true;
        lock.unlock();
        FileError error;
        const bool written = writeHistoryFile(path_, *list, &error);
        list->rows.clear();
        lock.lock();
        writing_ = false;
        spare_.swap(list);
        if (!written)
            failure_ = std::move(error);
        changed_.notify_all();
    }
}

} // namespace trov
