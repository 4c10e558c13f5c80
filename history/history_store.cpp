#include "history/history_store.h"

#include "history/history_csv.h"
#include "history/list_view_stream.h"

#include <sys/stat.h>

namespace trov {

namespace {

bool pathExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

} // namespace

bool readHistoryFile(const std::string& path, HistoryList& list, HistoryFileProblem* problem) {
    FileError error;
    auto bytes = readWholeFile(path, &error);
    if (!bytes) {
        if (problem)
            *problem = {path, error.reason.empty() ? "No such file or directory" : error.reason};
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

HistoryLoad HistoryStore::NaloziTabelo(Messages& messages) {
    if (!pathExists(storePath()))
        return HistoryLoad::NoStore;
    // A failed backup write is not reported at start-up; the list is loaded either way.
    if (readHistoryFile(storePath(), list_)) {
        ShraniTabelo2();
        return HistoryLoad::Loaded;
    }
    if (!pathExists(backupPath())) {
        ShraniTabelo2();
        return HistoryLoad::BackupMissing;
    }
    if (!readHistoryFile(backupPath(), list_))
        return HistoryLoad::BothUnreadable;
    messages.show(MessageIcon::Information, kHistoryRestoredMessage, true);
    ShraniTabelo2();
    return HistoryLoad::RestoredFromBackup;
}

bool HistoryStore::ShraniTabelo(FileError* error) const {
    waitForWrites();
    return writeHistoryFile(storePath(), list_, error);
}

void HistoryStore::ShraniTabeloLater() {
    writer_->write(list_);
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
    list_.rows.insert(list_.rows.begin(), std::move(record));
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
    list_ = std::move(opened);
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
        const std::string reason =
            error.reason.empty() ? "No such file or directory" : error.reason;
        messages.show(MessageIcon::Error, "Cannot open file \"" + path + "\". " + reason);
        if (problem)
            *problem = {path, reason};
        return false;
    }
    list_.rows = parseHistoryCsv(*bytes);
    return true;
}

} // namespace trov
