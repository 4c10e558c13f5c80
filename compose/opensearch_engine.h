// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// An OpenSearch description turned into an own engine: its ShortName, its text/html Url
// as the Address and its application/x-suggestions+json Url as Suggest, each template in
// Trov's placeholders.

#include "compose/opensearch_description.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace trov {

struct DescribedEngine {
    std::string name;    // the ShortName, made fit for a section name
    std::string address; // the Address template
    std::string suggest; // the Suggest template; empty when there is none
};

// A name fit for a section: control characters become blanks, brackets parentheses, and
// it is trimmed and cut to 100 bytes.
std::string sectionNameOf(std::string_view given);

// One Url's template in Trov's placeholders: {searchTerms} becomes {query}; the
// parameters Trov can fill take their value (the encodings UTF-8, the first page and
// index, any language); an optional parameter ({name?}) goes, with its "name=" pair when
// it is the pair's whole value. A required parameter Trov cannot fill
// refuses the engine: nullopt, with the reason in problem; `what` names the Url in it.
std::optional<std::string> trovTemplate(const OpenSearchUrl& url, std::string_view what,
                                        std::string& problem);

// The engine, or the reason it cannot be used.
std::variant<DescribedEngine, std::string> describedEngine(const OpenSearchDescription& d);

} // namespace trov
