// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a crawl leaves for the user: the result page, the sorted link list, the link and
// data exports, and the readers of a link-list file. Every file is written whole with
// CR LF line ends.

#include "common/translatable.h"
#include "crawler/page_search.h"

#include <string>
#include <string_view>
#include <vector>

namespace trov {

class LinkList;

inline constexpr std::string_view kResultPageName = "TrovCrawler.html";

// Marks the matching entries of the search range (their match becomes their address)
// and returns the result page's bytes.
std::string WriteHTML(LinkList& list, const SearchInputs& search, std::string_view site);

// Addresses of entries 0 to the last index that are neither empty nor "NIL", sorted
// ascending with ASCII letters compared without case; duplicates stay.
std::vector<std::string> sortedLinks(const LinkList& list);

// The links viewer's caption after a link extraction (PrikazLinkov).
std::string linksCaption(bool allLinks, std::string_view site);

// Exportlinks1000Click's file: the site line, then the sorted addresses.
std::string linkExport(const LinkList& list, std::string_view site);
// Exportdata1000Click's file.
std::string dataExport(const LinkList& list, std::string_view site);
// The file names the save dialog suggests.
std::string linkExportName(std::string_view site);
std::string dataExportName(std::string_view site);

// A link-list file's text with every ";" deleted, decoded as a stored file.
std::string readLinkListText(std::string_view fileBytes);
// Lines of a text (LF or CR LF; a final line end makes no empty line).
std::vector<std::string> textLines(std::string_view text);

struct LoadedList {
    std::string site;       // line 1, for the site field
    std::string viewerText; // the whole text, for the links viewer
};
// What a list file shows in the form and the viewer, the table left alone.
LoadedList readLoadedList(std::string_view fileBytes);
// naloziCSVLinke after the file was read: clears the table, fills entries 1 to n - 1
// (visited) and sets count to the number of addresses.
LoadedList loadLinkList(LinkList& list, std::string_view fileBytes);

// The message for a list file that does not exist.
inline constexpr char kMissingListFile[] = TROV_TEXT("Core", "File %1 does not exist.");
std::string missingListMessage(std::string_view path);
inline constexpr char kAllLinksCaption[] = TROV_TEXT("Core", "Trov -  All links on a website: %1");
inline constexpr char kInternalLinksCaption[] =
    TROV_TEXT("Core", "Trov -  Internal Links on a website: %1");

} // namespace trov
