// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/history_store.h"

#include "common/translatable.h"
#include "history/history_csv.h"
#include "history/list_view_stream.h"

namespace trov {

bool readHistoryFile(const std::string& path, HistoryList& list, HistoryFileProblem* problem,
                     FileStamp* stamp) {
    FileError error;
    auto bytes = StoreFile(path).read(&error, stamp);
    if (!bytes) {
        if (problem)
            *problem = {path, error.reason.empty() ? kNoSuchFile : error.reason};
        return false;
    }
    const StreamReadResult result =
        readListViewStream(std::make_shared<const std::string>(std::move(*bytes)), list);
    if (!result.ok && problem)
        *problem = {path, result.reason};
    return result.ok;
}

bool writeHistoryFile(const std::string& path, const HistoryList& list, FileError* error) {
    return writeFileAtomically(path, writeListViewStream(list), error);
}

HistoryStore::HistoryStore(DataFolder folder)
    : folder_(std::move(folder)), writer_(std::make_unique<HistoryWriter>(storePath())) {}

HistoryStore::~HistoryStore() = default;

namespace {

// Keeps the unreadable files' bytes before anything writes over them, and says where.
void keepUnreadableFiles(std::initializer_list<std::string> paths, Messages& messages) {
    std::string text;
    for (const std::string& path : paths) {
        const std::optional<std::string> bytes = StoreFile(path).read();
        if (bytes && bytes->empty())
            continue; // nothing to lose
        const std::optional<std::string> kept = bytes ? keepUnreadable(path, *bytes) : bytes;
        text += (text.empty() ? "" : "\n") + (kept ? formatText(kHistoryKept, {path, *kept})
                                                   : formatText(kHistoryNotKept, {path}));
    }
    if (!text.empty())
        messages.show(MessageIcon::Warning, text, true);
}

} // namespace

HistoryLoad HistoryStore::NaloziTabelo(Messages& messages) {
    edits_.clear();
    FileStamp stamp;
    const bool there = pathExists(storePath());
    const bool read = there && readHistoryFile(storePath(), list_, nullptr, &stamp);
    // The store as the list was read, also when the list is the backup's: the first write
    // puts the list in place unless another program wrote the store since.
    writer_->loaded(stamp);
    if (!there)
        return HistoryLoad::NoStore;
    // A failed backup write is not reported at start-up; the list is loaded either way.
    if (read) {
        ShraniTabelo2();
        return HistoryLoad::Loaded;
    }
    if (!pathExists(backupPath())) {
        keepUnreadableFiles({storePath()}, messages);
        ShraniTabelo2();
        return HistoryLoad::BackupMissing;
    }
    if (!readHistoryFile(backupPath(), list_)) {
        keepUnreadableFiles({storePath(), backupPath()}, messages);
        return HistoryLoad::BothUnreadable;
    }
    messages.show(MessageIcon::Information, kHistoryRestoredMessage, true);
    keepUnreadableFiles({storePath()}, messages);
    ShraniTabelo2();
    return HistoryLoad::RestoredFromBackup;
}

bool HistoryStore::ShraniTabelo(FileError* error) {
    ShraniTabeloLater();
    waitForWrites();
    takeMergedRows();
    const std::optional<FileError> failure = writer_->takeFailure();
    if (failure && error)
        *error = *failure;
    return !failure;
}

void HistoryStore::ShraniTabeloLater() {
    takeMergedRows();
    writer_->write(list_, std::move(edits_));
    edits_.clear();
}

void HistoryStore::takeMergedRows() {
    if (auto rows = writer_->takeMergedRows()) {
        replayHistoryEdits(*rows, edits_);
        list_.rows = std::move(*rows);
    }
}

void HistoryStore::waitForWrites() const {
    writer_->wait();
}

std::optional<FileError> HistoryStore::laterWriteFailure() {
    return writer_->takeFailure();
}

bool HistoryStore::ShraniTabelo2(FileError* error) const {
    return writeHistoryFile(backupPath(), list_, error);
}

void HistoryStore::addNewest(HistoryRecord record) {
    edits_.push_back({HistoryEdit::Kind::Added, record});
    list_.rows.insert(list_.rows.begin(), std::move(record));
}

void HistoryStore::removeRow(std::size_t row) {
    if (row >= list_.rows.size())
        return;
    const auto at = list_.rows.begin() + static_cast<std::ptrdiff_t>(row);
    edits_.push_back({HistoryEdit::Kind::Removed, std::move(*at)});
    list_.rows.erase(at);
}

void HistoryStore::clearRows() {
    replaceRows({});
}

void HistoryStore::replaceRows(std::vector<HistoryRecord> rows) {
    edits_.push_back({HistoryEdit::Kind::Cleared, {}});
    for (auto r = rows.rbegin(); r != rows.rend(); ++r) // the oldest is added first
        edits_.push_back({HistoryEdit::Kind::Added, *r});
    list_.rows = std::move(rows);
}

bool HistoryStore::saveFile(const std::string& path, FileError* error) const {
    return writeHistoryFile(path, list_, error);
}

bool HistoryStore::openFile(const std::string& path, HistoryFileProblem* problem) {
    if (!pathExists(path))
        return true;
    HistoryList opened = list_;
    if (!readHistoryFile(path, opened, problem))
        return false;
    std::vector<HistoryRecord> rows = std::move(opened.rows);
    opened.rows = std::move(list_.rows);
    list_ = std::move(opened);
    if (rows != list_.rows) // a file without rows leaves them as they are
        replaceRows(std::move(rows));
    return true;
}

bool HistoryStore::exportCsv(const std::string& path, FileError* error) const {
    return exportHistoryCsv(path, list_.rows, error);
}

bool HistoryStore::importCsv(const std::string& path, Messages& messages,
                             HistoryFileProblem* problem) {
    FileError error;
    if (!ShraniTabelo2(&error)) {
        if (problem)
            *problem = {error.path, error.reason};
        return false;
    }
    auto bytes = readWholeFile(path, &error);
    if (!bytes) {
        const std::string reason = error.reason.empty() ? kNoSuchFile : error.reason;
        messages.show(MessageIcon::Error, formatText(kCannotOpenFile, {path, reason}));
        if (problem)
            *problem = {path, reason};
        return false;
    }
    replaceRows(parseHistoryCsv(*bytes));
    return true;
}

} // namespace trov
