// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window's fields at the moment of Go, as the history records them: the typed
// texts and the texts of the selected list entries (empty where a list has no selection).

#include "compose/search_engine.h"
#include "crawler/crawl_mode.h"

#include <string>

namespace trov {

struct SearchSnapshot {
    SearchEngine engine = SearchEngine::Google;
    std::string words;             // eURL
    std::string exactPhrase;       // eexact
    std::string excludedWords;     // eexclude
    std::string site;              // edomain
    std::string fileType;          // cb5 entry text
    std::string browser;           // lb entry text
    std::string interfaceLanguage; // cb1 entry text
    std::string country;           // cb3 entry text
    std::string language;          // cb2 entry text
    std::string period;            // cb6 entry text
    std::string kind;              // cbAll entry text
    bool expanded = false;
    CrawlMarks crawlMarks;
    std::string crawlListFile; // full path of the loaded link list, for "Crawl from a file "
    std::string ownEngine;     // the own engine's name; empty for the engine buttons
};

} // namespace trov
