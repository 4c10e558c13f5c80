// SPDX-License-Identifier: GPL-3.0-or-later
#include "suggest/suggestion_store.h"

#include "common/atomic_file.h"
#include "common/text.h"
#include "suggest/drop_down.h"
#include "suggest/suggestion_text.h"

#include <unordered_set>

namespace trov {

namespace {

// The line as stored: trailing blanks removed, line breaks blanked.
std::string storedLine(std::string_view text) {
    std::string line(text::rightTrimSpaces(text));
    blankLineBreaks(line);
    return line;
}

// What makes two entries one: the de-duplication's trimmed, lower-cased text.
std::string keyOf(std::string_view entry) {
    return text::toLower(text::trim(entry));
}

std::unordered_set<std::string> keysOf(const std::vector<std::string>& entries) {
    std::unordered_set<std::string> keys;
    for (const std::string& e : entries)
        keys.insert(keyOf(e));
    return keys;
}

} // namespace

bool isSuggestionWorthy(std::string_view text) {
    return text.find_first_not_of(' ') != std::string_view::npos;
}

void SuggestionStore::deduplicate() {
    deduplicateSuggestions(list_);
    dirty_ = false;
}

void SuggestionStore::take(std::string_view bytes) {
    text_ = text::decodeStoredText(bytes);
    blankLineBreaks(text_);
    list_ = parseSuggestionText(text_);
    deduplicate();
}

bool SuggestionStore::load(const SuggestionLoadOptions& options, FileError* error) {
    text_.clear();
    list_.clear();
    dirty_ = false;
    stamp_ = {};
    unstored_.clear();
    FileError readError;
    // A program taking the shipped store over holds the lock, so another one that took it
    // over first and added to it meanwhile is read instead.
    const StoreFile::Lock lock =
        options.firstStart && options.persist ? file_.lock() : StoreFile::Lock();
    if (options.firstStart && !pathExists(path())) {
        std::optional<std::string> bytes;
        for (const std::string& dir : options.shippedDirs) {
            const std::string shipped = dir + std::string(kSuggestionFileName);
            if (pathExists(shipped)) {
                bytes = readWholeFile(shipped, &readError);
                if (!bytes && error)
                    *error = readError;
                break;
            }
        }
        const std::string taken = bytes ? text::decodeStoredText(*bytes) : std::string();
        // The store in the data folder starts as the shipped text, or empty.
        if (options.persist && !file_.write(taken + "\r\n", error, &stamp_))
            return false;
        take(taken);
        return readError.reason.empty();
    }
    const std::optional<std::string> bytes = file_.read(&readError, &stamp_);
    if (!bytes && !readError.reason.empty()) {
        if (error)
            *error = readError;
        return false;
    }
    take(bytes.value_or(std::string()));
    return true;
}

void SuggestionStore::add(std::string_view text) {
    blankLineBreaks(text_);
    const std::string_view added = text::rightTrimSpaces(text);
    text_.resize(text::rightTrimSpaces(text_).size());
    const std::string_view key = text::trim(added);
    bool known = false;
    for (const std::string& e : list_)
        if (text::equalsIgnoreCase(text::trim(e), key)) {
            known = true;
            break;
        }
    if (!known) {
        text_ += text_.empty() ? "|" : "|;|";
        text_ += quoteSuggestion(added);
        list_.emplace_back(added);
    }
    // A new entry's key matches no earlier entry, so on a clean list the pass has
    // nothing to do; it runs when the list changed without one.
    if (dirty_)
        deduplicate();
    text_ = storedLine(text_);
}

bool SuggestionStore::osveziBazo(std::string_view text, FileError* error) {
    add(text);
    unstored_.push_back({std::string(text), {}, {}, false});
    return commit(error);
}

bool SuggestionStore::OsveziSuggBazo(const std::vector<std::string>& rows, FileError* error) {
    Change change{{}, rows, {}, true};
    const std::unordered_set<std::string> kept = keysOf(rows);
    for (const std::string& e : list_)
        if (!kept.contains(keyOf(e)))
            change.deletedKeys.push_back(keyOf(e));
    const std::string text = text_;
    const std::vector<std::string> list = list_;
    const bool dirty = dirty_;
    list_ = rows;
    text_ = storedLine(joinSuggestionText(rows));
    dirty_ = true; // the new order may pair entries the old one did not
    unstored_.push_back(std::move(change));
    if (commit(error))
        return true;
    text_ = text;
    list_ = list;
    dirty_ = dirty;
    unstored_.pop_back();
    return false;
}

void SuggestionStore::replay(const Change& change) {
    if (!change.rewrite) {
        add(change.added);
        return;
    }
    // The rows that are still there in their order, then what the other program added.
    const std::unordered_set<std::string> there = keysOf(list_);
    const std::unordered_set<std::string> rowKeys = keysOf(change.rows);
    const std::unordered_set<std::string> deleted(change.deletedKeys.begin(),
                                                  change.deletedKeys.end());
    std::vector<std::string> merged;
    for (const std::string& r : change.rows)
        if (there.contains(keyOf(r)))
            merged.push_back(r);
    for (const std::string& e : list_)
        if (const std::string key = keyOf(e); !rowKeys.contains(key) && !deleted.contains(key))
            merged.push_back(e);
    list_ = std::move(merged);
    text_ = storedLine(joinSuggestionText(list_));
    dirty_ = true;
}

bool SuggestionStore::commit(FileError* error) {
    const StoreFile::Lock lock = file_.lock();
    // A store that is gone or cannot be read is replaced by this program's, as it always was.
    if (file_.changedSince(stamp_)) {
        if (const auto bytes = file_.read()) {
            take(*bytes);
            for (const Change& change : unstored_)
                replay(change);
        }
    }
    if (!file_.write(text_ + "\r\n", error, &stamp_))
        return false;
    unstored_.clear();
    return true;
}

const std::vector<std::string>& SuggestionStore::suggestionList() {
    if (dirty_)
        deduplicate();
    return list_;
}

std::vector<std::string> SuggestionStore::dropDownRows(std::string_view ownerText) {
    return filterSuggestions(suggestionList(), ownerText);
}

} // namespace trov
