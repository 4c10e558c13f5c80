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
    r[kColDate] = clock.dateText();
    r[kColTime] = clock.timeText();
    r[kColSearch] = orAbsent(search.words);
    const std::string absent(kAbsentMarker);
    if (search.expanded) {
        r[kColExact] = orAbsent(search.exactPhrase);
        r[kColExclude] = orAbsent(search.excludedWords);
        r[kColSite] = orAbsent(search.site);
        if (mainWindowVisible) {
            // The selected entries as they are; a list without a selection gives "".
            r[kColFileType] = search.fileType;
            r[kColBrowser] = search.browser;
            r[kColInterface] = search.interfaceLanguage;
            r[kColCountry] = search.country;
            r[kColLanguage] = search.language;
        } else {
            for (std::size_t c = kColFileType; c <= kColLanguage; ++c)
                r[c] = absent;
        }
        r[kColPeriod] = enginesWithPeriod(search.engine) ? search.period : absent;
    } else {
        for (std::size_t c = kColExact; c <= kColPeriod; ++c)
            r[c] = absent;
        r[kColBrowser] = std::string(kCollapsedBrowser);
    }
    r[kColEngine] = engineColumnText(search.engine, search.crawlMarks, search.crawlListFile);
    r[kColType] = search.kind;
    return r;
}

} // namespace trov
