// What the window sees of a crawl beside its results: where the address label sits, and
// the table read while the crawl runs on another thread.

#include "crawler/crawl_engine.h"
#include "crawler/results.h"
#include "tests/support/messages.h"
#include "tests/support/temp_dir.h"

#include <array>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace trov {
namespace {

constexpr int kPages = 100;
const std::string kSite = "https://s.example";

std::string address(int n) {
    return kSite + "/p" + std::to_string(n);
}

// Page n links to pages 2n + 1 and 2n + 2; the start page to page 0.
class TreeSite : public PageSource {
public:
    void beginCrawl(const std::atomic<bool>&) override {}
    std::string FetchPage(const std::string& page) override {
        std::this_thread::yield();
        int n = -1;
        if (page != kSite)
            n = std::stoi(page.substr(page.rfind('p') + 1));
        std::string body = "<title>t</title> words ";
        for (int child : {2 * n + 1, 2 * n + 2})
            if (child >= 0 && child < kPages)
                body += "<a href=\"/p" + std::to_string(child) + "\">x</a>";
        return body;
    }
};

using Placement = std::array<int, 3>; // left, top, width

struct PlacementLog : CrawlProgress {
    void placeAddress(int left, int top, int width) override {
        placements.push_back({left, top, width});
    }
    std::vector<Placement> placements;
};

struct Rig {
    test::TempDir dir;
    TreeSite site;
    test::SilentMessages messages;
    PlacementLog progress;
    CrawlEngine engine{site, dir.file("TrovCrawler.html"), messages, progress};
};

TEST(CrawlPanel, OnlyTheSubpageCrawlAndTheSiteCrawlMoveTheAddressLabel) {
    const struct {
        CrawlMode mode;
        std::vector<Placement> placements;
    } cases[] = {
        {CrawlMode::CrawlCSV, {{8, 21, 425}}},
        {CrawlMode::StartFastCrawl, {{8, 21, 425}, {8, 21, 370}}},
        {CrawlMode::interLinks, {{8, 21, 425}, {8, 19, 370}}},
    };
    for (const auto& c : cases) {
        Rig rig;
        loadLinkList(rig.engine.linkList(), kSite + "\r\n" + address(1) + "\r\n");
        rig.engine.run(c.mode, CrawlInputs{kSite, "words", "", ""});
        EXPECT_EQ(rig.progress.placements, c.placements) << static_cast<int>(c.mode);
    }
}

TEST(CrawlPanel, TheTableCanBeReadWhileACrawlRuns) {
    Rig rig;
    std::atomic<bool> done{false};
    std::thread crawl([&] {
        rig.engine.run(CrawlMode::interLinks, CrawlInputs{kSite, "", "", ""});
        done.store(true);
    });
    std::size_t reads = 0;
    while (!done.load()) {
        const std::string file =
            rig.engine.readLinkList([](const LinkList& list) { return linkExport(list, kSite); });
        EXPECT_EQ(file.rfind(kSite + "\r\n", 0), 0u);
        ++reads;
    }
    crawl.join();
    EXPECT_GT(reads, 0u);
    EXPECT_EQ(rig.engine.linkList().count, static_cast<std::size_t>(kPages));
}

} // namespace
} // namespace trov
