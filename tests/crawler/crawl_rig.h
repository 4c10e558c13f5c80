#pragma once

// A crawl engine writing its result page into a fresh folder, with every message box and
// every call to the progress panel recorded.

#include "common/atomic_file.h"
#include "crawler/crawl_engine.h"
#include "crawler/results.h"
#include "tests/support/messages.h"
#include "tests/support/temp_dir.h"

#include <functional>

namespace trov::test {

// Everything the progress panel was told, in order, and the last counter and link list.
class RecordingProgress : public CrawlProgress {
public:
    void panelShown(bool s) override { add("panel ", s); }
    void modeCaption(const std::string& c) override { add("caption " + c); }
    void counterText(const std::string& c) override {
        counter = c;
        add("counter " + c);
        if (onCounter)
            onCounter(c);
    }
    void currentAddress(const std::string& a) override { add("address " + a); }
    void addressShown(bool s) override { add("address shown ", s); }
    void barShown(bool s) override { add("bar ", s); }
    void barMaximum(long m) override { add("max " + std::to_string(m)); }
    void barPosition(long p) override { add("position " + std::to_string(p)); }
    void showLinks(const std::string& c, const std::vector<std::string>& l) override {
        linksCaption = c;
        links = l;
        add("links " + c);
        for (const auto& link : l)
            add("link " + link);
    }

    std::function<void(const std::string&)> onCounter;
    std::vector<std::string> events, links;
    std::string counter, linksCaption;

private:
    void add(const std::string& e, bool on) { add(e + (on ? "on" : "off")); }
    void add(std::string e) { events.push_back(std::move(e)); }
};

struct CrawlRig {
    explicit CrawlRig(PageSource& source)
        : engine(source, dir.file("TrovCrawler.html"), messages, progress) {}

    // One crawl from fresh flags; a list crawl loads its list first.
    void run(CrawlMode mode, CrawlInputs inputs, const std::string& list = {}) {
        if (mode == CrawlMode::CrawlCSV && !list.empty())
            inputs.site = loadLinkList(engine.linkList(), list).site;
        site = inputs.site;
        engine.resetFlags();
        engine.run(mode, inputs);
    }
    std::string resultPage() const {
        return readWholeFile(dir.file("TrovCrawler.html")).value_or("<none>");
    }

    TempDir dir;
    std::string site; // of the last crawl
    RecordingMessages messages;
    RecordingProgress progress;
    CrawlEngine engine;
};

} // namespace trov::test
