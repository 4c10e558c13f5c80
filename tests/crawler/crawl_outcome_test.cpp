// SPDX-License-Identifier: GPL-3.0-or-later
// What each crawl mode leaves behind on the fixture site (data/site, data/list.csv): the
// table and its counters, the result page, the links viewer, the panel and the boxes.
// Addresses are written with the site's own address as "S".

#include "common/text.h"
#include "crawler/curl_page_source.h"
#include "crawler/results.h"
#include "tests/crawler/crawl_rig.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace trov {
namespace {

using enum CrawlMode;
using Strings = std::vector<std::string>;

// The sequential source, noting every address the crawl asks for (the site's written "S");
// other hosts answer "NIL".
struct NotingSource : PageSource {
    void beginCrawl(const std::atomic<bool>& cancel) override { curl.beginCrawl(cancel); }
    void endCrawl() override { curl.endCrawl(); }
    std::string FetchPage(const std::string& address) override {
        asked.push_back(text::replaced(address, base, "S"));
        return address.starts_with(base) ? curl.FetchPage(address) : std::string(kNil);
    }
    CurlPageSource curl;
    std::string base;
    Strings asked;
};

struct FixtureCrawl : ::testing::Test {
    FixtureCrawl() {
        test::serveFixtureSite(server);
        source.base = server.base();
    }

    // A crawl from page (below the site's address), excluding "bike"; Stop, or Cancel, is
    // pressed when the counter first reads "Found <stopAt> items".
    void crawl(CrawlMode mode, const char* words = "red car", const char* page = "", int stopAt = 0,
               bool cancel = false) {
        rig.progress.events.clear(), rig.messages.shown.clear(), source.asked.clear();
        std::filesystem::remove(rig.dir.file("TrovCrawler.html"));
        const std::string stop = "Found " + std::to_string(stopAt) + " items";
        StopToken token; // each crawl a job of its own
        rig.progress.onCounter = [=, &token](const std::string& counter) {
            if (stopAt && counter == stop)
                cancel ? token.cancel() : token.stop();
        };
        const std::string list =
            text::replaced(test::fixtureFile("list.csv"), "$BASE", server.base());
        rig.engine.run(
            mode,
            rig.prepare(mode, {server.url(page), words, "", "bike"}, mode == CrawlCSV ? list : ""),
            token);
        rig.progress.onCounter = [](const std::string&) {};
    }
    std::string S(const std::string& address) const {
        return text::replaced(address, server.base(), "S");
    }
    // The addresses of the stored entries, from the first one.
    Strings entries(std::size_t first = 0) const {
        const LinkList& l = rig.engine.linkList();
        Strings out;
        for (std::size_t i = first; i < first + l.count; ++i)
            out.push_back(S(l[i].address));
        return out;
    }
    std::size_t entryOf(const std::string& address) const {
        const Strings all = entries();
        return static_cast<std::size_t>(std::ranges::find(all, address) - all.begin());
    }
    // What the panel was told of one kind ("place", "counter", "link"...), in order.
    Strings told(const std::string& kind) const {
        Strings out;
        for (const auto& e : rig.progress.events)
            if (e.starts_with(kind + " "))
                out.push_back(S(e.substr(kind.size() + 1)));
        return out;
    }
    std::string lastTold(const std::string& kind) const {
        const Strings all = told(kind);
        return all.empty() ? "<nothing>" : all.back();
    }
    // The addresses the result page lists, in its order.
    Strings results() const {
        Strings out;
        for (const auto& line : text::split(rig.resultPage(), '\n'))
            if (line.starts_with(server.base()) && line.ends_with("<br>\r"))
                out.push_back(S(line.substr(0, line.size() - 5)));
        return out;
    }

    test::HttpServer server;
    NotingSource source;
    test::CrawlRig rig{source};
};

// Entry 0 is the start page, its links inside the site follow in page order. The duplicate
// test sees a link before its final slash goes: "/a.html" again is refused, "/a.html/" is
// stored as S/a.html a second time, and the result page lists it twice.
TEST_F(FixtureCrawl, SubpageCrawlStoresALinkWithAFinalSlashASecondTime) {
    crawl(StartFastCrawl, "Red car");
    EXPECT_EQ(entries(), (Strings{"S", "S/a.html", "S/b.html", "S/c.html", "S/d/e.html",
                                  "S/area.html", "S/two1.html", "S/two2.html", "S/missing.html",
                                  "S/moved", "S/deep", "S/empty.html", "S/a.html"}));
    EXPECT_EQ(results(), (Strings{"S", "S/a.html", "S/c.html", "S/moved", "S/deep", "S/a.html"}));
}

// "{" "}" spans go from every page; "[" "]" spans only in the site and list crawls.
TEST_F(FixtureCrawl, OnlyTheSubpageCrawlSearchesTextInSquareBrackets) {
    for (CrawlMode mode : {StartFastCrawl, StartSlowCrawl, CrawlCSV}) {
        crawl(mode, "red");
        const LinkList& l = rig.engine.linkList();
        const std::size_t c = entryOf("S/c.html");
        const bool subpages = mode == StartFastCrawl;
        EXPECT_EQ(l.text(c), subpages ? "C car [red] gamma" : "C car gamma") << l.count;
        EXPECT_EQ(l[c].match.empty(), !subpages) << l.count;
        if (mode != CrawlCSV) { // the start page, "S/" once entry 0 was taken
            EXPECT_EQ(l.text(entryOf(subpages ? "S" : "S/")).find("braced"), std::string::npos);
        }
    }
}

TEST_F(FixtureCrawl, SubpageCrawlOfAPageWithoutLinksFindsTheStartPageAlone) {
    crawl(StartFastCrawl, "nothing", "/bare.html");
    EXPECT_EQ(told("counter"), (Strings{"Found 0 items", "Found 1 items"}));
    EXPECT_EQ(results(), Strings{"S/bare.html"});
    EXPECT_NE(rig.resultPage().find("\r\nAbout 1 result<br>\r\n"), std::string::npos);
}

// The panel places the address label at 8, 21, 425 wide and shows the site there; the
// sub-page crawl narrows it to 370 at once, the site crawl moves it to 8, 19, 370 wide.
TEST_F(FixtureCrawl, TheAddressLabelSitsWhereEachCrawlPlacesIt) {
    const std::pair<CrawlMode, Strings> rows[] = {{StartFastCrawl, {"8 21 425", "8 21 370"}},
                                                  {StartSlowCrawl, {"8 21 425", "8 19 370"}},
                                                  {CrawlCSV, {"8 21 425"}}};
    for (const auto& [mode, places] : rows) {
        crawl(mode);
        EXPECT_EQ(told("place"), places) << progressCaption(mode);
        EXPECT_EQ(std::ranges::count(told("address"), "S...   "), 1) << progressCaption(mode);
        EXPECT_EQ(std::ranges::count(told("caption"), progressCaption(mode)), 1);
    }
}

// Entry 0 holds the start address until the first link found takes its place, so the start
// page comes back as "S/". Pages are expanded in the order found, every link resolved
// against the start address (/deep/'s "one.html" is S/one.html), with and without a final
// slash kept apart; every page is searched once all are found.
TEST_F(FixtureCrawl, SiteCrawlsFirstLinkTakesTheStartAddressPlace) {
    crawl(StartSlowCrawl);
    EXPECT_EQ(entries(), (Strings{"S/a.html", "S/b.html", "S/c.html", "S/d/e.html", "S/area.html",
                                  "S/two1.html", "S/two2.html", "S/missing.html", "S/moved",
                                  "S/deep/", "S/empty.html", "S/a.html/", "S/deep/one.html", "S/",
                                  "S/one.html", "S/deep/two.html"}));
    EXPECT_EQ(results(), (Strings{"S/a.html", "S/moved", "S/deep/", "S/deep/one.html", "S/",
                                  "S/deep/two.html"}));
    EXPECT_EQ(lastTold("counter"), "Processed 16 of 16 items");
}

// All links keeps the links to other hosts and never asks for them; internal links does not
// keep them. Both show the table sorted in the links viewer and write no result page.
TEST_F(FixtureCrawl, AllLinksKeepsOtherHostsButNeverExpandsThem) {
    const std::tuple<CrawlMode, std::string, int> rows[] = {
        {AllLinks, "Trov -  All links on a website: S", 1},
        {interLinks, "Trov -  Internal Links on a website: S", 0}};
    for (const auto& [mode, caption, others] : rows) {
        crawl(mode);
        Strings stored = entries();
        EXPECT_EQ(std::ranges::count(stored, "http://other.example/x.html"), others) << caption;
        EXPECT_EQ(std::ranges::count(source.asked, "http://other.example/x.html"), 0);
        std::ranges::sort(stored);
        EXPECT_EQ(told("links"), Strings{caption});
        EXPECT_EQ(told("link"), stored);
        EXPECT_EQ(rig.engine.outcome(), CrawlOutcome::LinksShown);
        EXPECT_EQ(rig.resultPage(), "<none>");
    }
}

TEST_F(FixtureCrawl, ASiteCrawlWithoutLinksSaysNoLinksFoundAndShowsNothing) {
    crawl(interLinks, "", "/bare.html");
    EXPECT_EQ(rig.messages.texts(), Strings{"No links found" + std::string(27, ' ')});
    EXPECT_EQ(told("links"), Strings{});
    EXPECT_EQ(rig.engine.outcome(), CrawlOutcome::NoLinksFound);
}

// The list crawl asks only for the loaded addresses inside the site (the others read "NIL"),
// in the list's order; a line listed twice is two results. It clears the list-ready flag.
TEST_F(FixtureCrawl, AListCrawlFetchesOnlyTheAddressesInsideTheSite) {
    crawl(CrawlCSV, "red");
    EXPECT_EQ(source.asked, (Strings{"S/a.html", "S/missing.html", "S/moved", "S/c.html",
                                     "S/a.html", "file:///etc/hostname#S"}));
    EXPECT_EQ(rig.engine.linkList().text(entryOf("http://other.example/x.html")), "NIL");
    EXPECT_EQ(results(), (Strings{"S/a.html", "S/moved", "S/a.html"}));
    EXPECT_FALSE(rig.engine.listReady());
}

// Stop ends the crawl at its next check with what it found so far; Cancel with nothing.
TEST_F(FixtureCrawl, StopShowsThePartialResultsAndCancelNothing) {
    using enum CrawlOutcome;
    const std::tuple<CrawlMode, bool, CrawlOutcome, Strings> rows[] = {
        {StartFastCrawl, false, ResultPage, {"S", "S/a.html", "S/c.html"}},
        {interLinks, false, LinksShown, {"S/a.html", "S/b.html", "S/c.html", "S/d/e.html"}},
        {StartFastCrawl, true, Cancelled, {}},
        {interLinks, true, Cancelled, {}}};
    for (const auto& [mode, cancel, outcome, shown] : rows) {
        crawl(mode, "red", "", 4, cancel);
        EXPECT_EQ(mode == interLinks ? told("link") : results(), shown) << cancel;
        EXPECT_EQ(rig.engine.outcome(), outcome) << cancel;
        EXPECT_EQ(rig.messages.shown.size(), 0u);
        EXPECT_EQ(lastTold("panel"), "off") << cancel;
    }
}

// The counters each crawl leaves: count, the search range and the last index, the highest
// entry the exports and the viewer read. A site crawl without links leaves its start
// address in entry 0, beyond the last index; a list fills entries 1 to count.
TEST_F(FixtureCrawl, EachCrawlLeavesItsCountsAndTheLastIndexItsExportsReadTo) {
    struct Row {
        CrawlMode mode;
        const char* page;
        int stopAt;
        std::size_t count, range;
        long last;
        long exportLines; // the site, then every address of entries 0 to the last index
    };
    const Row rows[] = {
        {StartFastCrawl, "", 0, 13, 13, 12, 14},    {StartFastCrawl, "/bare.html", 0, 1, 1, 0, 2},
        {StartFastCrawl, "", 4, 4, 4, 3, 5},        {StartSlowCrawl, "", 0, 16, 16, 15, 17},
        {AllLinks, "", 0, 17, 17, 16, 18},          {interLinks, "", 4, 4, 4, 3, 5},
        {interLinks, "/bare.html", 0, 0, 0, -1, 1}, {CrawlCSV, "", 0, 7, 8, 7, 8}};
    for (const Row& r : rows) {
        crawl(r.mode, "red", r.page, r.stopAt);
        const LinkList& l = rig.engine.linkList();
        const std::string row = progressCaption(r.mode) + r.page + std::to_string(r.stopAt);
        EXPECT_EQ(l.count, r.count) << row;
        EXPECT_EQ(l.searchRange, r.range) << row;
        EXPECT_EQ(l.lastIndex, r.last) << row;
        EXPECT_EQ(std::ranges::count(linkExport(l, rig.site), '\n'), r.exportLines) << row;
    }
}

} // namespace
} // namespace trov
