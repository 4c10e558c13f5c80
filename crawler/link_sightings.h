// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the two link extractions found the addresses they list: the first page each was
// found on and how many times it was found. Kept beside the LinkList, which stays as it
// always was.
//
// "Found" counts every link the extraction read on the pages it expanded, duplicates
// included, that stands for the address: the link as the table would store it (resolved
// against the start address, double slashes collapsed), trailing blanks and the case of
// ASCII letters aside, as the table's duplicate tests see them. Links the rules reject
// are not counted; the first page is the first one, in the order the pages were expanded,
// whose links hold the address.

#include "crawler/crawl_mode.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace trov {

class LinkList;

struct LinkSighting {
    std::string foundOn; // empty when the address was never seen on a page
    std::size_t times = 0;
};

class LinkSightings {
public:
    // A crawl starts: what the last one saw is forgotten; only the link extractions watch.
    void begin(std::string start, CrawlMode mode);
    void clear();
    // A link read on page. Once the table is full nothing new can be listed, so only
    // addresses already seen are counted then.
    void saw(std::string_view link, const std::string& page, bool tableFull);
    LinkSighting of(std::string_view listedAddress) const;

private:
    struct Seen {
        std::uint32_t page = 0; // into pages_
        std::size_t times = 0;
    };
    bool watching_ = false;
    std::string start_;
    CrawlMode mode_ = CrawlMode::AllLinks;
    std::vector<std::string> pages_; // the pages addresses were first seen on
    std::unordered_map<std::string, Seen> seen_;
};

// An address of the sorted link list with where it was found.
struct ListedLink {
    std::string address;
    std::string foundOn;
    std::size_t timesFound = 0;
};

// The addresses the links viewer shows after an extraction, in its order.
std::vector<ListedLink> listedLinks(const LinkList& list, const LinkSightings& sightings);

} // namespace trov
