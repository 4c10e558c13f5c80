// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// INI files with the semantics of the Windows profile-string functions: section and key
// names compare without case (ASCII), the first match wins, every line that is not
// written stays as it was, integers are decimal or "0x"/"$" hexadecimal, and a missing or
// malformed value gives the reader's default.

#include "common/store_file.h"

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace trov {

// A write the system refused. what() is the text the user is shown.
class IniWriteError : public std::runtime_error {
public:
    explicit IniWriteError(const std::string& path)
        : std::runtime_error(unableToWrite(path)), path_(path) {}
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// Reads an integer the way the profile readers do; nullopt when text is not an integer.
std::optional<int> parseProfileInt(std::string_view text);

// The lines of one INI text, read and changed in memory.
class IniDocument {
public:
    static IniDocument parse(std::string_view text);
    // Lines joined with CR LF, the last one terminated too.
    std::string serialize() const;

    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view fallback) const;
    int readInt(std::string_view section, std::string_view key, int fallback) const;
    bool readBool(std::string_view section, std::string_view key, bool fallback) const;
    bool hasSection(std::string_view section) const;
    // Section names in file order, each name once (its first section is the one read).
    std::vector<std::string> sections() const;
    // Key names of a section in file order (first section of that name only).
    std::vector<std::string> keys(std::string_view section) const;

    // Replaces the first matching key line, or adds the key at the end of its section,
    // or adds the section at the end of the text.
    void setValue(std::string_view section, std::string_view key, std::string_view value);

    bool empty() const { return lines_.empty(); }

private:
    // The first section of a name: where it lies and its keys' first lines.
    struct Section {
        std::size_t header;                                // index of the section line
        std::size_t end;                                   // one past its last line
        std::unordered_map<std::string, std::size_t> keys; // by lower-case name
    };
    const Section* findSection(std::string_view section) const;
    std::optional<std::size_t> findKey(const Section& section, std::string_view key) const;
    // Rebuilds the look-up tables after the lines changed, so that every read stays one
    // hash look-up however large or hostile the file is.
    void index();

    std::vector<std::string> lines_;
    std::vector<std::string> sectionNames_;               // first spelling, file order
    std::unordered_map<std::string, Section> sectionsBy_; // by lower-case name
};

// One key to write.
struct IniEntry {
    std::string_view section;
    std::string_view key;
    std::string value;
};

// An INI file on disk. Reads come from the text loaded at construction or at the last
// write. Each write first reads the file again and changes only its own keys, as the
// profile writers do, so keys that another writer or the user changed meanwhile are
// kept; reading and writing happen under the file's lock, so another program's write
// cannot fall between them. The write goes to the disk at once (atomically), unless the
// file already holds the same bytes, and throws IniWriteError when the file cannot be
// written, so a sequence of writes stops at the failing key.
class IniFile {
public:
    explicit IniFile(std::string path);

    const std::string& path() const { return path_; }
    const IniDocument& document() const { return doc_; }

    std::string readString(std::string_view section, std::string_view key,
                           std::string_view fallback) const {
        return doc_.readString(section, key, fallback);
    }
    int readInt(std::string_view section, std::string_view key, int fallback) const {
        return doc_.readInt(section, key, fallback);
    }
    bool readBool(std::string_view section, std::string_view key, bool fallback) const {
        return doc_.readBool(section, key, fallback);
    }

    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeInt(std::string_view section, std::string_view key, int value);
    void writeBool(std::string_view section, std::string_view key, bool value);
    // Several keys with one write of the file.
    void writeStrings(const std::vector<IniEntry>& entries);

    // Several changes with one write: change edits the file's text as it is now.
    void update(const std::function<void(IniDocument&)>& change);

private:
    void reread();

    std::string path_;
    IniDocument doc_;
};

} // namespace trov
