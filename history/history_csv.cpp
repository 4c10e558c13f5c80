// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/history_csv.h"

#include "common/text.h"

namespace trov {

std::string csvValue(std::string_view t) {
    bool quote = false;
    for (const char c : t)
        if (text::isTrimmable(c) || c == '"' || c == ',') {
            quote = true;
            break;
        }
    if (!quote)
        return std::string(t);
    std::string out;
    out.reserve(t.size() + 2);
    out += '"';
    for (const char c : t) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string historyCsv(const std::vector<HistoryRecord>& rows) {
    std::string out;
    for (const HistoryRecord& row : rows) {
        for (std::size_t i = 0; i < kHistoryColumnCount; ++i) {
            if (i)
                out += ',';
            out += csvValue(row[i]);
        }
        out += "\r\n";
    }
    return out;
}

std::vector<HistoryRecord> parseHistoryCsv(std::string_view s) {
    std::vector<HistoryRecord> rows;
    std::size_t i = 0;
    const std::size_t n = s.size();
    while (i < n) {
        if (s[i] == '\r' || s[i] == '\n') { // an empty line
            ++i;
            continue;
        }
        HistoryRecord row;
        std::size_t column = 0;
        for (;;) {
            std::string value;
            if (i < n && s[i] == '"') {
                ++i;
                while (i < n) {
                    if (s[i] == '"') {
                        if (i + 1 < n && s[i + 1] == '"') {
                            value += '"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    value += s[i++];
                }
                // Anything between the closing quote and the next comma belongs to it.
                while (i < n && s[i] != ',' && s[i] != '\r' && s[i] != '\n')
                    value += s[i++];
            } else {
                while (i < n && s[i] != ',' && s[i] != '\r' && s[i] != '\n')
                    value += s[i++];
            }
            if (column < kHistoryColumnCount)
                row.set(column, text::decodeStoredText(value));
            ++column;
            if (i < n && s[i] == ',') {
                ++i;
                continue;
            }
            break;
        }
        if (i < n && s[i] == '\r')
            ++i;
        if (i < n && s[i] == '\n')
            ++i;
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string csvBackupPath(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < nameStart)
        return path + ".bak";
    return path.substr(0, dot) + ".bak";
}

bool exportHistoryCsv(const std::string& path, const std::vector<HistoryRecord>& rows,
                      FileError* error) {
    FileError readError;
    if (const auto old = readWholeFile(path, &readError)) {
        // The old export is copied rather than moved, so path never goes missing.
        if (!writeFileAtomically(csvBackupPath(path), *old, error))
            return false;
    } else if (!readError.reason.empty()) {
        if (error)
            *error = readError;
        return false;
    }
    return writeFileAtomically(path, historyCsv(rows), error);
}

} // namespace trov
