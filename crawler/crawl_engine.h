// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The Links engine's crawl operations on a LinkList. run() blocks until the operation is
// over and is meant for a worker thread; requestStop() and requestCancel() may be called
// from any thread and take effect at the next check of the running crawl (on Cancel a
// transfer in progress is abandoned, and the work on a page cut short, at once). Pages are
// processed strictly in order; the source is told which pages will be asked for next, so
// it may fetch them ahead.

#include "common/messages.h"
#include "compose/go_ports.h"
#include "crawler/crawl_progress.h"
#include "crawler/link_list.h"
#include "crawler/link_sightings.h"
#include "crawler/page_search.h"
#include "crawler/page_source.h"

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace trov {

enum class CrawlOutcome {
    None,         // no mode ran
    Refused,      // the list crawl had nothing to search for
    ResultPage,   // TrovCrawler.html was written
    LinksShown,   // the sorted links went to the links viewer
    NoLinksFound, // the site crawl found nothing
    Cancelled,    // abandoned: nothing shown
};

class CrawlEngine : public CrawlPort {
public:
    // resultPage is the full path of TrovCrawler.html.
    CrawlEngine(PageSource& source, std::string resultPage, Messages& messages,
                CrawlProgress& progress);

    // CrawlPort
    void requestCancel() override;
    void resetFlags() override;
    bool cancelRequested() const override { return cancelRequested_.load(); }
    // Waits for a running crawl to end (request the cancel first), then clears the table.
    void clearLinkList() override;
    void run(CrawlMode mode, const CrawlInputs& inputs) override;

    void requestStop() { stopRequested_.store(true); }
    bool stopRequested() const { return stopRequested_.load(); }

    // "Reset all searches" once confirmed: ends a running crawl, then empties everything.
    void resetAllSearches();
    // Set whenever a mode entry is chosen; the list crawl runs only when it is set.
    void setListReady(bool ready) { listReady_ = ready; }
    bool listReady() const { return listReady_; }

    // The table and what the last operation did. Read them only while no crawl runs.
    LinkList& linkList() { return list_; }
    const LinkList& linkList() const { return list_; }
    // Reads the table as it is at this moment, also while a crawl runs on another thread:
    // the crawl lets readers in while it waits for a page, works on one or writes the result
    // page, so read sees the table between two of its changes.
    template <typename Read> auto readLinkList(Read&& read) const {
        std::lock_guard lock(listMutex_);
        return read(list_);
    }
    CrawlOutcome outcome() const { return outcome_; }
    // Where the last link extraction found each address. Read it only while no crawl runs.
    const LinkSightings& sightings() const { return sightings_; }
    const std::string& resultPage() const { return resultPage_; }

    // The operations themselves (run() picks one by mode).
    void CrawlerGO(const CrawlInputs& inputs);
    void SpiderGo(CrawlMode mode, const CrawlInputs& inputs);
    void SpiderCSV(const CrawlInputs& inputs);

private:
    // The sub-page crawl's choice for every link of the start page, made before it fetches.
    struct SubpagePlan {
        std::vector<std::optional<std::string>> accepted; // one per link
        std::size_t first = 0;                            // the entry of the first choice
        std::vector<std::string> displaced;               // what the chosen entries held before
    };
    SubpagePlan planSubpages(const std::vector<std::string>& links, const std::string& start,
                             const std::string& base);
    void SpiderUPGRADE(const std::string& page);
    // The site's sitemaps' pages, taken as links found on the start page are.
    void takeSitemaps();
    // What robots.txt kept the crawl from, told once it is over.
    void reportRobots();
    // Whether the site crawl expands an entry with this address.
    bool qualifies(const std::string& address) const;
    // What the crawl takes from a fetched page.
    struct PageUse {
        bool links = false;       // its links, from the page as it came
        bool keep = true;         // its title and text, once its marked spans are removed
        bool squareSpans = false; // "[" "]" spans are removed as well as "{" "}"
    };
    struct TakenPage {
        std::vector<std::string> links;
        KeptPage kept;
    };
    // Fetches a page and takes from it what use asks for, with the table free for readers
    // all the while: neither the wait nor the work on the page touches an entry. A Cancel
    // cuts the work short.
    TakenPage take(const std::string& address, PageUse use);
    TakenPage digest(std::string source, PageUse use);
    // Runs work with the table free for readers. Only this crawl writes the table while it
    // runs, so it may read the table meanwhile.
    template <typename Work> auto tableFree(Work&& work);
    // The fetch phase's page: kept from its expansion, else fetched.
    KeptPage takeExpanded(const std::string& address);
    void CrawlerPanelParams(CrawlMode mode, const std::string& site);
    void writeResultPage(const CrawlInputs& inputs);
    void showLinks(const CrawlInputs& inputs);
    void checkCancel();
    std::size_t nextUnvisited(std::size_t from);
    void duplicatePass();
    void cleanUpPass();

    PageSource& source_;
    std::string resultPage_;
    Messages& messages_;
    CrawlProgress& progress_;

    std::mutex runMutex_; // held by run(); whoever clears the table waits for it
    // Held by run() while it changes the table, so readers see it between two changes.
    mutable std::mutex listMutex_;
    std::unique_lock<std::mutex> listLock_{listMutex_, std::defer_lock};
    LinkList list_;
    LinkSightings sightings_;
    std::atomic<bool> stopRequested_{false};
    std::atomic<bool> cancelRequested_{false};
    std::atomic<bool> listReady_{true};
    CrawlOutcome outcome_ = CrawlOutcome::None;

    // State of one site crawl.
    CrawlMode mode_ = CrawlMode::StartSlowCrawl;
    std::string start_; // S
    std::string root_;  // R
    std::string host_;  // H
    std::string lowerRoot_;
    // Pages of "Crawl all internal pages" as their expansion kept them.
    std::unordered_map<std::string, KeptPage> expanded_;
    std::size_t cursor_ = 1;
    SearchInputs search_;
};

} // namespace trov
