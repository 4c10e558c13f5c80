// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The crawler's address rules: the tag scanner that pulls link targets out of page source,
// the small address functions and the two rule sets that decide which link becomes a crawl
// entry. Positions in the rules are 1-based as the crawler has always counted them; the
// code works 0-based and says so where it matters.

#include "crawler/crawl_mode.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trov {

class LinkList;

// Appends the value of attribute from every tag whose text begins with tag; returns how
// many values were appended. Values are taken as written (no trimming, no entities).
int ExtractLinks(std::string_view source, std::string_view tag, std::string_view attribute,
                 std::vector<std::string>& links);

std::string HostOf(std::string_view a);
std::string BaseFolderOf(std::string_view a);
std::string DropTrailingSlash(std::string_view a);
std::string CollapseDoubleSlashes(std::string_view a);
bool IsCrawlable(std::string_view a);
std::string TrimTrailingSpaces(std::string_view a);
std::string RemoveSpaces(std::string_view a);

// Makes a link absolute against the start address of the crawl (never against the page
// it was found on): anything not starting with "http" is put after the start address.
std::string ResolveLink(std::string_view link, std::string_view start);

// The start address of a crawl from the site field: a scheme-less text becomes "https://"
// and its host, and one final "/" goes.
std::string StartAddressOf(std::string_view site);
// The site base of the sub-page crawl: BaseFolderOf the start address, lower-cased,
// without spaces, trimmed.
std::string SiteBaseOf(std::string_view start);

// Rule of the sub-page crawl; nullopt when the link is rejected.
std::optional<std::string> AcceptSubpageLink(std::string_view link, std::string_view start,
                                             std::string_view base, const LinkList& list);

// Rule of the site crawl and the link extraction. The accepted address is what the entry
// holds ("NIL" when its host has no ".").
std::optional<std::string> AcceptSiteLink(std::string_view link, std::string_view start,
                                          CrawlMode mode, const LinkList& list);

} // namespace trov
