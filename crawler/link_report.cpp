// SPDX-License-Identifier: GPL-3.0-or-later
#include "crawler/link_report.h"

#include "common/atomic_file.h"
#include "common/text.h"

#include <nlohmann/json.hpp>

namespace trov {

namespace {

constexpr std::string_view kHeader = "address,status,final_address,found_on,times_found,error";

// Addresses come from decoded pages and are UTF-8; anything else is read as Windows-1252,
// as a stored text is, so both files always hold valid UTF-8.
std::string utf8(std::string_view s) {
    return text::decodeStoredText(s);
}

// RFC 4180: a field with a comma, a quote or a line break goes between quotes, inner
// quotes doubled.
std::string csvField(std::string_view s) {
    std::string value = utf8(s);
    if (value.find_first_of(",\"\r\n") == std::string::npos)
        return value;
    return '"' + text::replaced(value, "\"", "\"\"") + '"';
}

} // namespace

std::optional<ReportFormat> reportFormatOf(std::string_view path) {
    const std::string lower = text::toLower(path);
    if (lower.ends_with(".csv"))
        return ReportFormat::Csv;
    if (lower.ends_with(".json"))
        return ReportFormat::Json;
    return std::nullopt;
}

std::string linkReportCsv(const LinkReport& report) {
    std::string out(kHeader);
    out += "\r\n";
    for (const LinkCheckRow& r : report) {
        out += csvField(r.address) + ',';
        out += (r.error == LinkError::None ? std::to_string(r.status) : "") + ',';
        out += csvField(r.finalAddress) + ',' + csvField(r.foundOn) + ',';
        out += std::to_string(r.timesFound) + ',';
        out += std::string(linkErrorName(r.error)) + "\r\n";
    }
    return out;
}

std::string linkReportJson(const LinkReport& report) {
    auto rows = nlohmann::ordered_json::array();
    for (const LinkCheckRow& r : report) {
        nlohmann::ordered_json row;
        row["address"] = utf8(r.address);
        row["status"] = r.error == LinkError::None ? nlohmann::ordered_json(r.status) : nullptr;
        row["final_address"] = utf8(r.finalAddress);
        row["found_on"] = utf8(r.foundOn);
        row["times_found"] = r.timesFound;
        row["error"] = std::string(linkErrorName(r.error));
        rows.push_back(std::move(row));
    }
    return rows.dump(2) + "\n";
}

bool writeLinkReport(const std::string& path, const LinkReport& report, FileError* error) {
    const std::string bytes =
        reportFormatOf(path) == ReportFormat::Json ? linkReportJson(report) : linkReportCsv(report);
    return writeFileAtomically(path, bytes, error);
}

} // namespace trov
