// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the crawl gets its pages. The crawl processes pages strictly in order and asks
// its source for one body at a time; a source may fetch ahead of it (expect() names the
// pages that will be asked for next, in the order they will be asked for) as long as each
// answer is that page's body.

#include <atomic>
#include <stdexcept>
#include <string>
#include <vector>

namespace trov {

// What robots.txt kept a crawl from: how many pages it did not fetch, and for each host
// whose robots.txt could not be read, the message that says so.
struct RobotsTally {
    std::size_t pagesKeptOut = 0;
    std::vector<std::string> unreadable;
};

// No transfer handle could be made: the crawl operation ends with this message.
class FetchInitError : public std::runtime_error {
public:
    FetchInitError() : std::runtime_error("Unable to initialize WinInet") {}
};

class PageSource {
public:
    virtual ~PageSource() = default;
    // A crawl starts; cancel is its CancelRequested flag, which ends any transfer at once.
    virtual void beginCrawl(const std::atomic<bool>& cancel) = 0;
    // The crawl is over; nothing it expected is needed any more.
    virtual void endCrawl() {}
    // The page's decoded body, or "NIL" when it cannot be opened. Throws FetchInitError.
    // Asking for an announced address gives up the addresses announced before it.
    virtual std::string FetchPage(const std::string& address) = 0;
    // The crawl will ask for this address later, after those it already announced.
    virtual void expect(const std::string& address) { (void)address; }
    // The crawl moves on to another phase: what it announced so far is asked for only if
    // it is announced again.
    virtual void forgetExpected() {}

    // Whether the next crawl obeys robots.txt; asked before beginCrawl. A page robots.txt
    // keeps the crawl from is not requested and comes back empty, a page without content.
    virtual void setRespectRobots(bool respect) { (void)respect; }
    // What robots.txt kept the last crawl from.
    virtual RobotsTally robotsTally() const { return {}; }
    // The page addresses the site's sitemaps list, at most maxAddresses. Blocks.
    virtual std::vector<std::string> sitemapAddresses(const std::string& site,
                                                      std::size_t maxAddresses) {
        (void)site;
        (void)maxAddresses;
        return {};
    }
};

} // namespace trov
