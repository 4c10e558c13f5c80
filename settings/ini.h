#pragma once

// INI files with the semantics of the Windows profile-string functions: section and key
// names compare without case (ASCII), the first match wins, every line that is not
// written stays as it was, integers are decimal or "0x"/"$" hexadecimal, and a missing or
// malformed value gives the reader's default.

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
        : std::runtime_error("Unable to write to " + path), path_(path) {}
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
    void eraseSection(std::string_view section);

    bool empty() const { return lines_.empty(); }

private:
    struct Span {
        std::size_t header; // index of the section line
        std::size_t end;    // one past its last line
    };
    std::optional<Span> findSection(std::string_view section) const;
    std::optional<std::size_t> findKey(const Span& span, std::string_view key) const;
    void reindex();

    std::vector<std::string> lines_;
    // Lower-cased section name -> its first section line, the one every reader sees; kept
    // so that a file of many sections reads in linear time.
    std::unordered_map<std::string, std::size_t> firstSection_;
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
// kept; it then goes to the disk at once (atomically), unless the file already holds the
// same bytes, and throws IniWriteError when the file cannot be written, so a sequence of
// writes stops at the failing key.
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

    // Whole-file use: change the document in memory, then flush() writes it once.
    IniDocument& edit() { return doc_; }
    void flush();

private:
    void reread();

    std::string path_;
    IniDocument doc_;
};

} // namespace trov
