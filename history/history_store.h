// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The history list and its files: the store "HistGrid.cld" with its backup
// "HistGrid.cld2" in the data folder, the user's history files (.gmh) and the CSV export
// and import. Every write replaces its file atomically. The rows change only through the
// store, which notes each row added or removed, so its writer can apply them to a store
// another program wrote meanwhile.

#include "common/atomic_file.h"
#include "common/messages.h"
#include "common/translatable.h"
#include "history/history_list.h"
#include "history/history_writer.h"
#include "settings/data_folder.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace trov {

inline constexpr std::string_view kHistoryStoreName = "HistGrid.cld";
inline constexpr std::string_view kHistoryBackupName = "HistGrid.cld2";
inline constexpr char kHistoryRestoredMessage[] = TROV_TEXT(
    "Core", "       Error opening history file.          \r\n\r\n       Reload old data.");
inline constexpr char kHistoryKept[] = TROV_TEXT(
    "Core", "The history file \"%1\" could not be read. Its contents were kept in \"%2\".");
inline constexpr char kHistoryNotKept[] = TROV_TEXT(
    "Core", "The history file \"%1\" could not be read, and its contents could not be kept.");
inline constexpr char kNoSuchFile[] = TROV_TEXT("Core", "No such file or directory");

// What the start-up load found.
enum class HistoryLoad {
    NoStore,            // no HistGrid.cld: nothing read, nothing written
    Loaded,             // read, then copied to the backup
    RestoredFromBackup, // the store was unreadable, the backup was read and rewritten
    BackupMissing,      // the store was unreadable, what was read became the backup
    BothUnreadable,     // store and backup unreadable; nothing written
};
// In each case where a file was unreadable, its bytes are first kept beside it (see
// keepUnreadable), since the next write over it would lose them, and one message says
// where.

// A file that cannot be read or is not a history stream.
struct HistoryFileProblem {
    std::string path;
    std::string reason;
};

// Reads a history stream file into list (as far as it gets on a corrupt file). Returns
// false with the reason for a missing, unreadable or corrupt file.
bool readHistoryFile(const std::string& path, HistoryList& list,
                     HistoryFileProblem* problem = nullptr, FileStamp* stamp = nullptr);
bool writeHistoryFile(const std::string& path, const HistoryList& list, FileError* error = nullptr);

class HistoryStore {
public:
    explicit HistoryStore(DataFolder folder);
    // Waits for the store's last write.
    ~HistoryStore();

    // The list's presentation may be changed here; its rows change through the store.
    HistoryList& list() { return list_; }
    const HistoryList& list() const { return list_; }
    std::string storePath() const { return folder_.file(kHistoryStoreName); }
    std::string backupPath() const { return folder_.file(kHistoryBackupName); }

    // The start-up load (NaloziTabelo), with the fallback to the backup and its message.
    HistoryLoad NaloziTabelo(Messages& messages);
    // Writes the list to HistGrid.cld / HistGrid.cld2. ShraniTabelo goes through the
    // store's writer and waits for it, so the list written now stays the last one.
    bool ShraniTabelo(FileError* error = nullptr);
    bool ShraniTabelo2(FileError* error = nullptr) const;
    // Hands the list as it is now to the store's writer thread for HistGrid.cld and
    // returns at once; a failed write is told by laterWriteFailure. Rows another program
    // added to the store, which the writer kept, join the list first when it is idle.
    void ShraniTabeloLater();
    void waitForWrites() const;
    std::optional<FileError> laterWriteFailure();

    // A new record becomes row 0; the rows below keep their order.
    void addNewest(HistoryRecord record);
    void removeRow(std::size_t row);
    void clearRows();

    // "Save": the list to a history file.
    bool saveFile(const std::string& path, FileError* error = nullptr) const;
    // "Open": replaces the list from a history file. A missing file is ignored (true). A
    // corrupt one leaves the list untouched, so a bad file never reaches the store.
    bool openFile(const std::string& path, HistoryFileProblem* problem = nullptr);
    // "Export CSV", with the ".bak" copy of an existing file.
    bool exportCsv(const std::string& path, FileError* error = nullptr) const;
    // The hidden import: the list goes to HistGrid.cld2 first, then the rows are replaced
    // by the CSV file's. A missing file is reported by a message that names it.
    bool importCsv(const std::string& path, Messages& messages,
                   HistoryFileProblem* problem = nullptr);

private:
    void replaceRows(std::vector<HistoryRecord> rows);
    void takeMergedRows();

    DataFolder folder_;
    HistoryList list_;
    std::vector<HistoryEdit> edits_; // since the list was last handed to the writer
    std::unique_ptr<HistoryWriter> writer_;
};

} // namespace trov
