#include "suggest/suggestion_store.h"

#include "common/text.h"
#include "suggest/drop_down.h"
#include "suggest/suggestion_text.h"

#include <sys/stat.h>

namespace trov {

namespace {

bool pathExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

// The line as stored: trailing blanks removed, line breaks blanked.
std::string storedLine(std::string_view text) {
    std::string line(text::rightTrimSpaces(text));
    blankLineBreaks(line);
    return line;
}

} // namespace

bool isSuggestionWorthy(std::string_view text) {
    return text.find_first_not_of(' ') != std::string_view::npos;
}

bool SuggestionStore::writeLine(const std::string& line, FileError* error) const {
    return writeFileAtomically(path_, line + "\r\n", error);
}

void SuggestionStore::deduplicate() {
    deduplicateSuggestions(list_);
    dirty_ = false;
}

bool SuggestionStore::load(const SuggestionLoadOptions& options, FileError* error) {
    text_.clear();
    list_.clear();
    dirty_ = false;
    std::optional<std::string> bytes;
    FileError readError;
    if (options.firstStart && !pathExists(path_)) {
        for (const std::string& dir : options.shippedDirs) {
            const std::string shipped = dir + std::string(kSuggestionFileName);
            if (pathExists(shipped)) {
                bytes = readWholeFile(shipped, &readError);
                if (!bytes && error)
                    *error = readError;
                break;
            }
        }
        std::string taken = bytes ? text::decodeStoredText(*bytes) : std::string();
        // The store in the data folder starts as the shipped text, or empty.
        if (options.persist && !writeFileAtomically(path_, taken + "\r\n", error))
            return false;
        bytes = std::move(taken);
    } else {
        bytes = readWholeFile(path_, &readError);
        if (!bytes && !readError.reason.empty()) {
            if (error)
                *error = readError;
            return false;
        }
        if (bytes)
            bytes = text::decodeStoredText(*bytes);
    }
    text_ = bytes.value_or(std::string());
    blankLineBreaks(text_);
    list_ = parseSuggestionText(text_);
    deduplicate();
    return readError.reason.empty();
}

bool SuggestionStore::osveziBazo(std::string_view text, FileError* error) {
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
    return writeLine(text_, error);
}

bool SuggestionStore::OsveziSuggBazo(const std::vector<std::string>& rows, FileError* error) {
    const std::string line = storedLine(joinSuggestionText(rows));
    if (!writeLine(line, error))
        return false;
    list_ = rows;
    text_ = line;
    dirty_ = true; // the new order may pair entries the old one did not
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
