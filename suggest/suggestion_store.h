// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The suggestion store "gs1001.sgg": SuggestionText as read and extended, SuggestionList
// parsed from it and de-duplicated, and the rewrites after every search and deletion.
// When another program wrote the store since this one read it, a rewrite takes that
// store and applies this program's additions and deletions to it again: the additions of
// both are kept, and an entry deleted here stays deleted.

#include "common/store_file.h"

#include <string>
#include <string_view>
#include <vector>

namespace trov {

inline constexpr std::string_view kSuggestionFileName = "gs1001.sgg";

struct SuggestionLoadOptions {
    // [App] start: the stores shipped with the program have not been taken over yet.
    bool firstStart = false;
    // Folders that may hold the shipped store, searched in order.
    std::vector<std::string> shippedDirs;
    // Whether the take-over writes the store into the data folder (false for readers
    // that must not change files).
    bool persist = true;
};

// Whether a finished search adds this text: not empty and not made only of blanks.
bool isSuggestionWorthy(std::string_view text);

class SuggestionStore {
public:
    // path: gs1001.sgg in the data folder.
    explicit SuggestionStore(std::string path) : file_(std::move(path)) {}

    const std::string& path() const { return file_.path(); }

    // Load. On the first start the shipped store is taken over when the data folder has
    // none yet (an existing one is the user's and is kept). False when a file exists but
    // cannot be read, or the take-over cannot be written; the store is then empty.
    bool load(const SuggestionLoadOptions& options, FileError* error = nullptr);

    // Adds a search text when no entry equals it (trimmed, ASCII case ignored) and
    // rewrites the store, also when nothing was added (osveziBazo).
    bool osveziBazo(std::string_view text, FileError* error = nullptr);

    // Rewrites the store and both in-memory forms from rows, in their order
    // (OsveziSuggBazo). When the write fails nothing in memory changes.
    bool OsveziSuggBazo(const std::vector<std::string>& rows, FileError* error = nullptr);

    const std::string& suggestionText() const { return text_; }
    // SuggestionList after the de-duplication pass.
    const std::vector<std::string>& suggestionList();

    // The drop-down's rows for the suggestion owner field's text (GSLBosvezi's filter).
    std::vector<std::string> dropDownRows(std::string_view ownerText);

private:
    // A change not yet in the store: an added text, or a rewrite with the keys it deleted.
    struct Change {
        std::string added;
        std::vector<std::string> rows;
        std::vector<std::string> deletedKeys;
        bool rewrite = false;
    };

    void take(std::string_view bytes);
    void add(std::string_view text);
    void replay(const Change& change);
    // Writes the line, over the store as another program left it when it changed.
    bool commit(FileError* error);
    void deduplicate();

    StoreFile file_;
    std::string text_;              // SuggestionText; keeps any duplicates
    std::vector<std::string> list_; // SuggestionList
    bool dirty_ = false;            // list_ changed since its last de-duplication
    FileStamp stamp_;               // the store as last read or written here
    std::vector<Change> unstored_;
};

} // namespace trov
