// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The address grammar of the eight search engines: what Go opens for a search request.

#include "compose/engines.h"
#include "compose/field_rules.h"
#include "compose/search_engine.h"

#include <string>
#include <string_view>

namespace trov {

// The field values one search is composed from, read at the moment of Go.
struct SearchRequest {
    SearchEngine engine = SearchEngine::Google;
    std::string words;         // eURL
    std::string exactPhrase;   // eexact; commas separate phrases
    std::string excludedWords; // eexclude; commas separate words
    std::string site;          // edomain
    int kindIndex = 0;         // cbAll
    int periodIndex = 0;       // cb6
    bool expanded = false;
    SearchFragments fragments;
};

enum class Opener {
    DefaultHandler, // the system opens the address itself
    ChosenBrowser,  // the selected browser, or the default handler when there is none
};

struct ComposedAddress {
    std::string address;
    Opener opener = Opener::DefaultHandler;
    bool operator==(const ComposedAddress&) const = default;
};

// The typed texts made safe for an address: "%", "&", "#" and "+" (in that order) become
// "%25", "%26", "%23" and "%2B", so they reach the engine as typed instead of splitting
// the query. Every other character stays.
std::string mendTypedText(std::string_view text);

// Composes the address. haveBrowser tells whether a browser executable is chosen: Bing's
// expanded address differs between the two openers. Links is not composed here.
ComposedAddress composeAddress(const SearchRequest& request, bool haveBrowser,
                               const EngineHosts& hosts = {});

} // namespace trov
