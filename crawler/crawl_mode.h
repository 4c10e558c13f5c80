// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The crawl operations of the Links engine and the check marks of the crawler menu that
// select them.

#include <array>
#include <cstdint>
#include <string_view>

namespace trov {

enum class CrawlMode : std::uint8_t {
    StartFastCrawl, // "Crawl main page subpages"
    StartSlowCrawl, // "Crawl all internal pages (slow)"
    AllLinks,       // "Extract links from a website"
    interLinks,     // "Extract internal links from a website"
    CrawlCSV,       // "Crawl from list of links"
};

inline constexpr std::array kCrawlModes = {CrawlMode::StartFastCrawl, CrawlMode::StartSlowCrawl,
                                           CrawlMode::AllLinks, CrawlMode::interLinks,
                                           CrawlMode::CrawlCSV};

// The marks of the crawler menu's mode entries. They act as a radio group, but code paths
// can leave several or none checked, and readers test them in their own orders.
struct CrawlMarks {
    std::array<bool, 5> checked{};

    bool operator[](CrawlMode m) const { return checked[static_cast<std::size_t>(m)]; }
    void set(CrawlMode m, bool on) { checked[static_cast<std::size_t>(m)] = on; }
    void clear() { checked.fill(false); }
    bool anyCrawl() const {
        return (*this)[CrawlMode::StartFastCrawl] || (*this)[CrawlMode::StartSlowCrawl] ||
               (*this)[CrawlMode::CrawlCSV];
    }
    bool anyExtract() const {
        return (*this)[CrawlMode::AllLinks] || (*this)[CrawlMode::interLinks];
    }
};

} // namespace trov
