// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of the crawl's bookkeeping alone: a site crawl of 20,000 entries from an
// in-memory page source (no network), and the duplicate test over a full table.

#include "crawler/crawl_engine.h"
#include "crawler/link_rules.h"

#include <chrono>
#include <cstdio>

using namespace trov;

namespace {

// Page n links to 2n+1 and 2n+2 and back to the root: a site that fills the table.
class TreeSite : public PageSource {
public:
    void beginCrawl(const std::atomic<bool>&) override {}
    std::string FetchPage(const std::string& address) override {
        ++fetched;
        const std::size_t at = address.rfind("/p");
        const long n = at == std::string::npos ? 0 : std::atol(address.c_str() + at + 2);
        return "<title>p</title><a href=\"/p" + std::to_string(2 * n + 1) + "\">a</a><a href=\"/p" +
               std::to_string(2 * n + 2) + "\">b</a><a href=\"/\">root</a> words";
    }
    long fetched = 0;
};

class Quiet : public Messages {
public:
    void show(MessageIcon, const std::string&, bool) override {}
    bool ask(const std::string&) override { return false; }
};

template <typename F> double seconds(F f) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

} // namespace

int main() {
    for (CrawlMode mode : {CrawlMode::interLinks, CrawlMode::StartSlowCrawl}) {
        TreeSite site;
        Quiet messages;
        CrawlProgress progress;
        CrawlEngine engine(site, "/tmp/trov-bench-rules.html", messages, progress);
        StopToken token;
        const double s = seconds([&] {
            engine.run(mode, CrawlInputs{"http://bench.example", "words", "", ""}, token);
        });
        std::printf("%s, in memory: %zu entries, %ld pages fetched, %.3f s, %.2f us/entry\n",
                    mode == CrawlMode::interLinks ? "internal-links" : "site",
                    engine.linkList().count, site.fetched, s,
                    s * 1e6 / double(engine.linkList().count));
    }
    LinkList list;
    for (std::size_t i = 0; i < 20000; ++i)
        list.setAddress(i, "http://bench.example/p" + std::to_string(i));
    list.count = 20000;
    long accepted = 0;
    const double s = seconds([&] {
        for (int i = 0; i < 40000; ++i)
            accepted += AcceptSiteLink("/p" + std::to_string(i), "http://bench.example",
                                       CrawlMode::interLinks, list)
                            .has_value();
    });
    std::printf(
        "AcceptSiteLink against 20,000 entries: 40,000 links (%ld new), %.3f s, %.2f us/link\n",
        accepted, s, s * 1e6 / 40000);
}
