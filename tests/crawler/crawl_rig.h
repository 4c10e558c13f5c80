// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A crawl engine writing into a fresh folder, every box and progress call recorded; fixtures.

#include "common/atomic_file.h"
#include "common/text.h"
#include "crawler/crawl_engine.h"
#include "crawler/results.h"
#include "tests/support/http_server.h"
#include "tests/support/messages.h"
#include "tests/support/temp_dir.h"

#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>

namespace trov::test {

inline std::string fixtureFile(const std::string& name) {
    return readWholeFile(TROV_SOURCE_DIR "/tests/crawler/data/" + name)
        .value_or("<no " + name + ">");
}

// Compares with data/<name>; TROV_WRITE_GOLDEN=1 in the environment writes it instead.
inline void expectGolden(const std::string& name, const std::string& bytes) {
    if (std::getenv("TROV_WRITE_GOLDEN"))
        writeFileAtomically(TROV_SOURCE_DIR "/tests/crawler/data/" + name, bytes);
    EXPECT_EQ(bytes, fixtureFile(name)) << name;
}

// data/site: links of every form the crawler meets, a redirect, a folder without its slash.
inline void serveFixtureSite(HttpServer& server) {
    server.serveFolder(TROV_SOURCE_DIR "/tests/crawler/data/site");
    server.route("/moved", HttpResponse::redirect(301, "/redirected.html"));
    server.route("/deep", HttpResponse::redirect(301, "/deep/"));
}

// Everything the progress panel was told, in order.
struct RecordingProgress : CrawlProgress {
    void panelShown(bool s) override { add("panel ", s); }
    void modeCaption(const std::string& c) override { add("caption " + c); }
    void counterText(const std::string& c) override { add("counter " + c), onCounter(c); }
    void currentAddress(const std::string& a) override { add("address " + a); }
    void addressShown(bool s) override { add("address shown ", s); }
    void barShown(bool s) override { add("bar ", s); }
    void barMaximum(long m) override { add("max " + std::to_string(m)); }
    void barPosition(long p) override { add("position " + std::to_string(p)); }
    void placeAddress(int l, int t, int w) override {
        add("place " + std::to_string(l) + " " + std::to_string(t) + " " + std::to_string(w));
    }
    void showLinks(const std::string& c, const std::vector<std::string>& links) override {
        add("links " + c);
        for (const auto& link : links)
            add("link " + link);
    }
    void robotsKeptOut(std::size_t n) override { add("robots.txt kept out " + std::to_string(n)); }
    void add(const std::string& e, bool on) { add(e + (on ? "on" : "off")); }
    void add(std::string e) { events.push_back(std::move(e)); }

    std::function<void(const std::string&)> onCounter = [](const std::string&) {};
    std::vector<std::string> events;
};

struct CrawlRig {
    explicit CrawlRig(PageSource& source)
        : engine(source, dir.file("TrovCrawler.html"), messages, progress) {}

    // Fresh flags, as the window sets them before a crawl starts; a list crawl loads its list.
    CrawlInputs prepare(CrawlMode mode, CrawlInputs inputs, const std::string& list = {}) {
        if (mode == CrawlMode::CrawlCSV) {
            inputs.site = loadLinkList(engine.linkList(), list).site;
            engine.setListReady(true);
        } else {
            engine.clearLinkList();
        }
        site = inputs.site;
        engine.resetFlags();
        return inputs;
    }
    void run(CrawlMode mode, CrawlInputs inputs, const std::string& list = {}) {
        engine.run(mode, prepare(mode, std::move(inputs), list));
    }
    std::string resultPage() const {
        return readWholeFile(dir.file("TrovCrawler.html")).value_or("<none>");
    }

    // Everything the crawl left behind: outcome and flags, every table entry in use, the
    // result page, both exports, the messages and the progress panel's story.
    std::string story() const {
        const LinkList& l = engine.linkList();
        std::string s = "outcome " + std::to_string(static_cast<int>(engine.outcome())) +
                        (engine.cancelRequested() ? " cancelled" : "") +
                        (engine.listReady() ? " list ready" : "") + "\ncount " +
                        std::to_string(l.count) + " range " + std::to_string(l.searchRange) +
                        " last " + std::to_string(l.lastIndex) + "\n";
        for (std::size_t i = 0; i < l.size(); ++i)
            if (const PageRecord& r = l[i];
                !(r.address + l.title(i) + l.text(i) + r.match).empty() || !r.visited)
                s += "#" + std::to_string(i) + (r.visited ? " " : " unvisited ") + r.address +
                     "\n  title " + l.title(i) + "\n  text " + l.text(i) + "\n  match " + r.match +
                     "\n";
        const std::string page = resultPage();
        s += "--- result page\n" + page + (page.ends_with('\n') ? "" : "\n") + "--- links\n" +
             linkExport(l, site) + "--- data\n" + dataExport(l, site) + "--- messages\n";
        for (const auto& m : messages.texts())
            s += m + "\n";
        s += "--- progress\n";
        for (const auto& e : progress.events)
            s += e + "\n";
        return text::replaced(s, "\r", "\\r"); // line ends seen as text
    }

    TempDir dir;
    std::string site; // of the last crawl
    RecordingMessages messages;
    RecordingProgress progress;
    CrawlEngine engine;
};

} // namespace trov::test
