// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The link check: every address a link extraction listed is requested once, HEAD first
// and GET when HEAD is refused (405, 501) or fails, redirects followed one hop at a time
// up to ten. All requests run on one libcurl multi handle, a few at once over all hosts,
// each host paced by robots.txt's Crawl-delay and its own Retry-After, and nothing
// robots.txt keeps the crawler from is requested. A GET stops once the status is known.

#include "crawler/crawl_progress.h"
#include "crawler/curl_fetch.h"
#include "crawler/host_pacer.h"
#include "crawler/link_sightings.h"
#include "crawler/link_status.h"

#include <atomic>
#include <optional>
#include <string>
#include <vector>

namespace trov {

struct LinkCheckOptions {
    TransferOptions transfer; // the agent, the connect time-out and the stall limit
    // Requests at once over all hosts, and to the crawled site's own host, as the crawl's
    // page source makes them; each other host gets the pacer's two.
    std::size_t concurrency = 32;
    int siteConnections = 6;
    PacerLimits pacer;             // the other hosts' (2), Crawl-delay and Retry-After
    std::size_t maxRedirects = 10; // hops; one more is a loop
    bool respectRobots = true;
};
// The crawler's agent and time limits.
LinkCheckOptions linkCheckOptions();

class LinkChecker {
public:
    explicit LinkChecker(LinkCheckOptions options = linkCheckOptions());

    // Checks every link (site is the site field the extraction ran on) and gives one row
    // each, in the order given. Progress goes to the panel as a crawl's does. Nothing when
    // cancel was set before the last answer. Blocks: meant for a worker thread. Throws
    // FetchInitError when no transfer handle can be made.
    std::optional<LinkReport> run(const std::vector<ListedLink>& links, const std::string& site,
                                  const std::atomic<bool>& cancel, CrawlProgress& progress);

    // Requests of the last run, robots.txt included.
    std::size_t requestsMade() const { return requests_; }

private:
    LinkCheckOptions options_;
    SystemPacerClock clock_;
    std::size_t requests_ = 0;
};

// The counter of the progress panel while a check runs.
std::string checkedCounter(std::size_t done, std::size_t total);

} // namespace trov
