// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a running crawl shows on its progress panel and where its link list goes. Every
// call comes from the crawl's own thread; a window hands them over to its thread.

#include "crawler/crawl_mode.h"

#include <cstddef>
#include <string>
#include <vector>

namespace trov {

class CrawlProgress {
public:
    virtual ~CrawlProgress() = default;
    virtual void panelShown(bool shown) { (void)shown; }
    virtual void modeCaption(const std::string& caption) { (void)caption; }
    virtual void counterText(const std::string& counter) { (void)counter; }
    // The address being worked on, in full; the label shortens it to fit.
    virtual void currentAddress(const std::string& address) { (void)address; }
    virtual void addressShown(bool shown) { (void)shown; }
    // Where the address label sits in the panel, and how wide it is.
    virtual void placeAddress(int left, int top, int width) {
        (void)left;
        (void)top;
        (void)width;
    }
    virtual void barShown(bool shown) { (void)shown; }
    virtual void barMaximum(long maximum) { (void)maximum; }
    virtual void barPosition(long position) { (void)position; }
    // PrikazLinkov: the links viewer's caption and its sorted addresses.
    virtual void showLinks(const std::string& caption, const std::vector<std::string>& links) {
        (void)caption;
        (void)links;
    }
    // At the end of a crawl that robots.txt kept from some pages: how many.
    virtual void robotsKeptOut(std::size_t pages) { (void)pages; }
};

// The progress caption of each mode.
std::string progressCaption(CrawlMode mode);

} // namespace trov
