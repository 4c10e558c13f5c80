// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/engines.h"

#include "common/translatable.h"

namespace trov {

namespace {
using K = std::string_view;
constexpr std::array<K, 6> kGoogleKinds = {
    TROV_TEXT("Core", "All"),  TROV_TEXT("Core", "Images"),    TROV_TEXT("Core", "Videos"),
    TROV_TEXT("Core", "News"), TROV_TEXT("Core", "Translate"), TROV_TEXT("Core", "Books")};
constexpr std::array<K, 5> kBingKinds = {TROV_TEXT("Core", "All"), TROV_TEXT("Core", "Images"),
                                         TROV_TEXT("Core", "Videos"), TROV_TEXT("Core", "News"),
                                         TROV_TEXT("Core", "Translate")};
constexpr std::array<K, 4> kDuckDuckGoKinds = {
    TROV_TEXT("Core", "All"), TROV_TEXT("Core", "Images"), TROV_TEXT("Core", "Videos"),
    TROV_TEXT("Core", "Maps")};
constexpr std::array<K, 5> kSwisscowsKinds = {
    TROV_TEXT("Core", "All"), TROV_TEXT("Core", "Images"), TROV_TEXT("Core", "Videos"),
    TROV_TEXT("Core", "News"), TROV_TEXT("Core", "Music")};
constexpr std::array<K, 2> kWolframKinds = {TROV_TEXT("Core", "Natural"),
                                            TROV_TEXT("Core", "Math")};
constexpr std::array<K, 1> kAllOnly = {TROV_TEXT("Core", "All")};
constexpr std::array<K, 1> kLinksKinds = {"---"};
} // namespace

const std::array<EngineInfo, kEngineCount> kEngines = {{
    {SearchEngine::Google, "csGoogle", "Google", "google", 0, kGoogleKinds},
    {SearchEngine::Bing, "csBing", "Bing", "bing", 25, kBingKinds},
    {SearchEngine::DuckDuckGo, "csDuckDuckGo", "DuckDuckGo", "duckduckgo", 50, kDuckDuckGoKinds},
    {SearchEngine::Ask, "csAsk", "Ask", "ask", 75, kAllOnly},
    {SearchEngine::Swisscows, "csCows", "Swisscows", "swisscows", 100, kSwisscowsKinds},
    {SearchEngine::WolframAlpha, "csWolfram", "Wolfram Alpha", "wolframalpha", 125, kWolframKinds},
    // The Wikipedia hint has always had a trailing blank.
    {SearchEngine::Wikipedia, "csWiki", "Wikipedia ", "wikipedia", 150, kAllOnly},
    {SearchEngine::UrbanDictionary, "csUrban", "Urban Dictionary", "urbandictionary", 175,
     kAllOnly},
    {SearchEngine::Links, "csSpider", "Links", "links", 200, kLinksKinds},
}};

const EngineInfo& engineInfo(SearchEngine engine) {
    return kEngines[static_cast<std::size_t>(engine)];
}

namespace fragments {
const std::array<K, 6> kGooglePeriod = {"",           "&tbs=qdr:h", "&tbs=qdr:d",
                                        "&tbs=qdr:w", "&tbs=qdr:m", "&tbs=qdr:y"};
const std::array<K, 6> kGoogleKind = {"", "&tbm=isch", "&tbm=vid", "&tbm=nws", "", "&tbm=bks"};
const std::array<K, 5> kBingKind = {"", "images/", "videos/", "news/", ""};
// Past hour and past year have no DuckDuckGo equivalent.
const std::array<K, 6> kDuckDuckGoPeriod = {"", "", "&df=d", "&df=w", "&df=m", ""};
const std::array<K, 4> kDuckDuckGoKind = {"&iax=web", "&iax=images&ia=images",
                                          "&iax=videos&ia=videos", "&iax=maps&iaxm=maps"};
// Swisscows knows no hour: past hour asks for a day.
const std::array<K, 6> kSwisscowsPeriod = {"",
                                           "&freshness=Day",
                                           "&freshness=Day",
                                           "&freshness=Week",
                                           "&freshness=Month",
                                           "&freshness=Year"};
const std::array<K, 5> kSwisscowsKind = {
    "web?query=", "images?query=", "video?query=", "news?query=", "music?query="};

std::string_view at(std::span<const std::string_view> table, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= table.size())
        index = 0;
    return table[static_cast<std::size_t>(index)];
}
} // namespace fragments

} // namespace trov
