// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shared/core_texts.h"

#include "common/store_file.h"
#include "common/translatable.h"
#include "compose/own_engine_go.h"
#include "compose/own_engines.h"
#include "crawler/crawl_manners.h"
#include "crawler/link_check.h"
#include "crawler/links_checks.h"
#include "crawler/results.h"
#include "history/fill_fields.h"
#include "history/history_store.h"
#include "platform/instance_socket.h"

#include <QCoreApplication>
#include <algorithm>
#include <string>
#include <vector>

namespace trov {

namespace {

// The core's texts with arguments; the longer formats first, so that a format is not
// taken for a shorter one it contains.
constexpr std::string_view kFormats[] = {
    kHistoryKept,
    kHistoryNotKept,
    kMissingEngine,
    kEngineBrowserMissing,
    platform::kWithoutGuard,
    platform::kFolderNotMade,
    platform::kFolderNotRead,
    platform::kFolderMode,
    platform::kFolderNotOurs,
    platform::kFolderIsLink,
    platform::kFolderNotFolder,
    kInternalLinksCaption,
    kAllLinksCaption,
    kProcessedItems,
    kCheckedCounter,
    kCannotOpenFile,
    kCannotCreateFile,
    kMissingListFile,
    kSkippedSections,
    kMoreSkipped,
    kUnableToWrite,
    kFoundItems,
    kRobotsKeptOut,
};

// The translation of a marked text, or nothing when the language has none.
std::optional<QString> translated(std::string_view english) {
    const std::string source(english);
    const QString text = QCoreApplication::translate("Core", source.c_str());
    if (text == QString::fromStdString(source))
        return std::nullopt;
    return text;
}

// An argument may be a text of the core itself (a reason within a message), translated in
// turn; two levels deep at most, so that a hostile argument costs little.
QString fromFormat(std::string_view english, int depth = 0) {
    if (const auto whole = translated(english))
        return *whole;
    const auto lines = std::ranges::count(english, '\n');
    for (std::string_view format : kFormats) {
        // A format of one line does not take the lines of a message made of several.
        const bool fits = depth < 2 && std::ranges::count(format, '\n') == lines;
        const auto args = fits ? matchFormat(english, format) : std::nullopt;
        if (!args)
            continue;
        const auto pattern = translated(format);
        if (!pattern)
            break;
        std::vector<std::string> shown;
        for (const std::string& a : *args)
            shown.push_back(fromFormat(a, depth + 1).toStdString());
        return QString::fromStdString(formatText(pattern->toStdString(), shown));
    }
    return QString::fromUtf8(english.data(), static_cast<qsizetype>(english.size()));
}

} // namespace

QString coreText(std::string_view english) {
    const QString whole = fromFormat(english);
    if (whole != QString::fromUtf8(english.data(), static_cast<qsizetype>(english.size())) ||
        english.find('\n') == std::string_view::npos)
        return whole;
    // A message put together from several texts, a line each.
    QString out;
    std::size_t start = 0;
    while (start <= english.size()) {
        std::size_t end = english.find('\n', start);
        if (end == std::string_view::npos)
            end = english.size();
        std::string_view line = english.substr(start, end - start);
        const bool cr = line.ends_with('\r');
        if (cr)
            line.remove_suffix(1);
        out += fromFormat(line);
        if (end < english.size())
            out += cr ? QStringLiteral("\r\n") : QStringLiteral("\n");
        start = end + 1;
    }
    return out;
}

} // namespace trov
