// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ini.h"

#include "common/atomic_file.h"
#include "common/text.h"

#include <charconv>
#include <cstdint>

namespace trov {

namespace {

std::string_view lineSectionName(std::string_view line) {
    const std::string_view t = text::trimLeft(line);
    if (t.empty() || t.front() != '[')
        return {};
    const std::size_t close = t.find(']');
    if (close == std::string_view::npos)
        return {};
    return text::trim(t.substr(1, close - 1));
}

bool isSectionLine(std::string_view line) {
    const std::string_view t = text::trimLeft(line);
    return !t.empty() && t.front() == '[' && t.find(']') != std::string_view::npos;
}

bool isComment(std::string_view line) {
    const std::string_view t = text::trimLeft(line);
    return !t.empty() && t.front() == ';';
}

// The key of a "key=value" line, or nullopt for any other line.
std::optional<std::string_view> lineKey(std::string_view line) {
    if (isComment(line))
        return std::nullopt;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    return text::trim(line.substr(0, eq));
}

std::string lineValue(std::string_view line) {
    std::string_view v = text::trim(line.substr(line.find('=') + 1));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return std::string(v);
}

std::optional<std::uint32_t> parseHex(std::string_view digits) {
    if (digits.empty() || digits.size() > 8)
        return std::nullopt;
    std::uint32_t value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (ec != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

} // namespace

std::optional<int> parseProfileInt(std::string_view t) {
    t = text::trim(t);
    bool negative = false;
    if (!t.empty() && (t.front() == '-' || t.front() == '+')) {
        negative = t.front() == '-';
        t.remove_prefix(1);
    }
    std::optional<std::uint32_t> magnitude;
    if (!t.empty() && t.front() == '$') {
        magnitude = parseHex(t.substr(1));
    } else if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        magnitude = parseHex(t.substr(2));
    } else {
        if (t.empty() || t.front() < '0' || t.front() > '9')
            return std::nullopt;
        std::int64_t v = 0;
        const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v, 10);
        if (ec != std::errc() || end != t.data() + t.size())
            return std::nullopt;
        if (negative)
            v = -v;
        if (v < INT32_MIN || v > INT32_MAX)
            return std::nullopt;
        return static_cast<int>(v);
    }
    if (!magnitude)
        return std::nullopt;
    // Hexadecimal spells the 32 bits of the value, so $FFFFFFFF is -1.
    const auto bits = negative ? std::uint32_t(0) - *magnitude : *magnitude;
    return static_cast<int>(static_cast<std::int32_t>(bits));
}

IniDocument IniDocument::parse(std::string_view raw) {
    IniDocument doc;
    const std::string decoded = text::decodeStoredText(raw);
    std::string_view rest = decoded;
    while (!rest.empty()) {
        const std::size_t lf = rest.find('\n');
        std::string_view line = rest.substr(0, lf);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        doc.lines_.emplace_back(line);
        if (lf == std::string_view::npos)
            break;
        rest.remove_prefix(lf + 1);
    }
    doc.index();
    return doc;
}

std::string IniDocument::serialize() const {
    std::string out;
    for (const auto& line : lines_) {
        out += line;
        out += "\r\n";
    }
    return out;
}

void IniDocument::index() {
    sectionNames_.clear();
    sectionsBy_.clear();
    Section* current = nullptr; // null while in a later section of a name already seen
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string_view line = lines_[i];
        if (isSectionLine(line)) {
            if (current)
                current->end = i;
            const std::string_view name = lineSectionName(line);
            const auto [it, added] =
                sectionsBy_.try_emplace(text::toLower(name), Section{i, i + 1, {}});
            current = added ? &it->second : nullptr;
            if (added)
                sectionNames_.emplace_back(name);
        } else if (current) {
            if (const auto key = lineKey(line))
                current->keys.try_emplace(text::toLower(*key), i);
        }
    }
    if (current)
        current->end = lines_.size();
}

const IniDocument::Section* IniDocument::findSection(std::string_view section) const {
    const auto it = sectionsBy_.find(text::toLower(section));
    return it == sectionsBy_.end() ? nullptr : &it->second;
}

std::optional<std::size_t> IniDocument::findKey(const Section& section,
                                                std::string_view key) const {
    const auto it = section.keys.find(text::toLower(key));
    if (it == section.keys.end())
        return std::nullopt;
    return it->second;
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    const auto span = findSection(section);
    if (!span)
        return std::nullopt;
    const auto line = findKey(*span, key);
    if (!line)
        return std::nullopt;
    return lineValue(lines_[*line]);
}

std::string IniDocument::readString(std::string_view section, std::string_view key,
                                    std::string_view fallback) const {
    auto v = value(section, key);
    return v ? std::move(*v) : std::string(fallback);
}

int IniDocument::readInt(std::string_view section, std::string_view key, int fallback) const {
    const auto v = value(section, key);
    if (!v)
        return fallback;
    return parseProfileInt(*v).value_or(fallback);
}

bool IniDocument::readBool(std::string_view section, std::string_view key, bool fallback) const {
    return readInt(section, key, fallback ? 1 : 0) != 0;
}

bool IniDocument::hasSection(std::string_view section) const {
    return findSection(section) != nullptr;
}

std::vector<std::string> IniDocument::sections() const {
    return sectionNames_;
}

std::vector<std::string> IniDocument::keys(std::string_view section) const {
    std::vector<std::string> names;
    if (const Section* span = findSection(section)) {
        for (std::size_t i = span->header + 1; i < span->end; ++i)
            if (const auto k = lineKey(lines_[i]); k && !k->empty())
                names.emplace_back(*k);
    }
    return names;
}

void IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value) {
    std::string line = std::string(key) + "=" + std::string(value);
    const Section* span = findSection(section);
    if (!span) {
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(std::move(line));
    } else if (const auto existing = findKey(*span, key)) {
        lines_[*existing] = std::move(line);
    } else {
        // After the section's last non-blank line, so blank separators stay between
        // sections.
        std::size_t at = span->end;
        while (at > span->header + 1 && text::trim(lines_[at - 1]).empty())
            --at;
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    }
    index();
}

IniFile::IniFile(std::string path) : path_(std::move(path)) {
    reread();
}

void IniFile::reread() {
    FileError error;
    if (const auto bytes = readWholeFile(path_, &error))
        doc_ = IniDocument::parse(*bytes);
    else if (error.reason.empty())
        doc_ = {};
    // A file that is there but cannot be read keeps the copy in memory, so a write never
    // replaces it with only its own keys.
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    writeStrings({{section, key, std::string(value)}});
}

void IniFile::writeStrings(const std::vector<IniEntry>& entries) {
    update([&](IniDocument& doc) {
        for (const auto& e : entries)
            doc.setValue(e.section, e.key, e.value);
    });
}

void IniFile::update(const std::function<void(IniDocument&)>& change) {
    const StoreFile::Lock lock = StoreFile(path_).lock();
    reread();
    change(doc_);
    if (!writeFileIfChanged(path_, doc_.serialize()))
        throw IniWriteError(path_);
}

void IniFile::writeInt(std::string_view section, std::string_view key, int value) {
    writeString(section, key, std::to_string(value));
}

void IniFile::writeBool(std::string_view section, std::string_view key, bool value) {
    writeString(section, key, value ? "1" : "0");
}

} // namespace trov
