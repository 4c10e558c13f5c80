// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What Go hands to the other subsystems: the history, the suggestion store and the
// crawler. Each is implemented by its own subsystem and passed in.

#include "compose/search_snapshot.h"
#include "crawler/crawl_mode.h"

#include <string>
#include <string_view>

namespace trov {

class HistoryPort {
public:
    virtual ~HistoryPort() = default;
    // Appends one record made from the fields (dodajtabelo).
    virtual void dodajtabelo(const SearchSnapshot& search) = 0;
};

class SuggestionPort {
public:
    virtual ~SuggestionPort() = default;
    // Adds the suggestion owner field's text to the store and rewrites it (osveziBazo).
    virtual void osveziBazo(std::string_view text) = 0;
};

// The search inputs a crawl reads from the window.
struct CrawlInputs {
    std::string site;          // edomain
    std::string words;         // eURL
    std::string exactPhrase;   // eexact
    std::string excludedWords; // eexclude
    bool respectRobots = true; // every fetch obeys the site's robots.txt
    bool useSitemap = false;   // site crawls and extractions also take the sitemaps' pages
};

// CheckSiteReachable: whether the site answers with a final status of 200 or 302.
class ReachabilityPort {
public:
    virtual ~ReachabilityPort() = default;
    virtual bool reachable(const std::string& site) = 0;
};

class CrawlPort {
public:
    virtual ~CrawlPort() = default;
    // Sets CancelRequested; a running crawl ends at its next check.
    virtual void requestCancel() = 0;
    // Clears StopRequested and CancelRequested before a crawl.
    virtual void resetFlags() = 0;
    virtual bool cancelRequested() const = 0;
    // Empties the LinkList and its companion tables.
    virtual void clearLinkList() = 0;
    // Runs one crawl operation to its end (blocking; the window calls it off its thread).
    virtual void run(CrawlMode mode, const CrawlInputs& inputs) = 0;
};

} // namespace trov
