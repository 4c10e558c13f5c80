// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What Go hands to the other subsystems: the history, the suggestion store and the
// crawler. Each is implemented by its own subsystem and passed in.

#include "compose/search_snapshot.h"
#include "crawler/crawl_mode.h"
#include "crawler/stop_token.h"

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

// The crawler as the window's Go sees it. Neither call waits for a running crawl.
class CrawlPort {
public:
    virtual ~CrawlPort() = default;
    // Cancels the running job (it ends at its next check) and drops one waiting to start.
    virtual void requestCancel() = 0;
    // Empties the LinkList and its companion tables, once no crawl runs.
    virtual void clearLinkList() = 0;
};

// The crawl operations a Links job runs, one after another, on the job's own thread.
class CrawlOperations {
public:
    virtual ~CrawlOperations() = default;
    // Runs one operation to its end, or until the job's token asks it to stop (blocking).
    virtual void run(CrawlMode mode, const CrawlInputs& inputs, StopToken& token) = 0;
};

} // namespace trov
