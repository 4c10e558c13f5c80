// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/record_maker.h"

namespace trov {

namespace {

std::string orAbsent(const std::string& text) {
    return text.empty() ? std::string(kAbsentMarker) : text;
}

bool enginesWithPeriod(SearchEngine engine) {
    return engine == SearchEngine::Google || engine == SearchEngine::DuckDuckGo ||
           engine == SearchEngine::Swisscows;
}

} // namespace

std::string crawlModeText(const CrawlMarks& marks, const std::string& crawlListFile) {
    std::string text;
    if (marks[CrawlMode::StartSlowCrawl])
        text = "Crawl all internal pages";
    if (marks[CrawlMode::StartFastCrawl])
        text = "Crawl main page subpages";
    if (marks[CrawlMode::AllLinks])
        text = "Extract all links from a website";
    if (marks[CrawlMode::interLinks])
        text = "Extract internal links from a website";
    if (marks[CrawlMode::CrawlCSV])
        text = "Crawl from a file " + crawlListFile;
    return text;
}

std::string engineColumnText(SearchEngine engine, const CrawlMarks& marks,
                             const std::string& crawlListFile) {
    switch (engine) {
    case SearchEngine::Google:
        return "Google";
    case SearchEngine::Bing:
        return "Bing";
    case SearchEngine::Wikipedia:
        return "Wikipedia";
    case SearchEngine::DuckDuckGo:
        return "DuckDuckGo";
    case SearchEngine::Links:
        return "Links ( " + crawlModeText(marks, crawlListFile) + " )";
    case SearchEngine::WolframAlpha:
        return "Wolfram Alpha";
    case SearchEngine::Ask:
        return "Ask";
    case SearchEngine::UrbanDictionary:
        return "Urban Dictionary";
    case SearchEngine::Swisscows:
        return "Swisscows";
    }
    return {};
}

HistoryRecord makeHistoryRecord(const SearchSnapshot& search, bool mainWindowVisible,
                                const HistoryClock& clock) {
    HistoryRecord r;
    r.set(kColDate, clock.dateText());
    r.set(kColTime, clock.timeText());
    r.set(kColSearch, orAbsent(search.words));
    const std::string absent(kAbsentMarker);
    if (search.expanded) {
        r.set(kColExact, orAbsent(search.exactPhrase));
        r.set(kColExclude, orAbsent(search.excludedWords));
        r.set(kColSite, orAbsent(search.site));
        if (mainWindowVisible) {
            // The selected entries as they are; a list without a selection gives "".
            r.set(kColFileType, search.fileType);
            r.set(kColBrowser, search.browser);
            r.set(kColInterface, search.interfaceLanguage);
            r.set(kColCountry, search.country);
            r.set(kColLanguage, search.language);
        } else {
            for (std::size_t c = kColFileType; c <= kColLanguage; ++c)
                r.set(c, absent);
        }
        const bool period = search.ownEngine.empty() && enginesWithPeriod(search.engine);
        r.set(kColPeriod, period ? search.period : absent);
    } else {
        for (std::size_t c = kColExact; c <= kColPeriod; ++c)
            r.set(c, absent);
        r.set(kColBrowser, std::string(kCollapsedBrowser));
    }
    if (!search.ownEngine.empty()) {
        // An own engine has no period and no search kinds.
        r.set(kColEngine, search.ownEngine);
        r.set(kColType, absent);
        return r;
    }
    r.set(kColEngine, engineColumnText(search.engine, search.crawlMarks, search.crawlListFile));
    r.set(kColType, search.kind);
    return r;
}

} // namespace trov
