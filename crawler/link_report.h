// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A link check's report as files: CSV by RFC 4180 (UTF-8, CR LF, a header row) and JSON
// (an array of objects with the same keys), rows in the order given.

#include "common/store_file.h"
#include "crawler/link_status.h"

#include <optional>
#include <string>
#include <string_view>

namespace trov {

enum class ReportFormat { Csv, Json };

// The format a file name's extension names (.csv or .json, any case), if any.
std::optional<ReportFormat> reportFormatOf(std::string_view path);

std::string linkReportCsv(const LinkReport& report);
std::string linkReportJson(const LinkReport& report);

// Writes the report whole or not at all, in the format the path's extension names
// (CSV for any other).
bool writeLinkReport(const std::string& path, const LinkReport& report, FileError* error = nullptr);

} // namespace trov
