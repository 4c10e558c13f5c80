#pragma once

// A generated site for comparing crawls: pages in cycles, the same link many times and in
// other spellings, pages that fail (connection reset, 404, a redirect to a file), redirects
// between pages, links to another host, and answers delayed by different amounts so that
// parallel requests finish out of order. Every fourth page is wrapped in markup as real
// ones are: a script whose braces hold a decoy title, a style, long attribute lists.

#include "tests/support/http_server.h"

#include <string>

namespace trov::test {

struct GeneratedSite {
    int pages = 120;
    int maxDelayMs = 12; // each page waits a different part of this before it answers
};

void serveGeneratedSite(HttpServer& server, const GeneratedSite& site = {});

// A link-list file for the list crawl of that site: its own pages and failing ones, other
// hosts, duplicates, a file address and a removed entry.
std::string generatedLinkList(const HttpServer& server, const GeneratedSite& site = {});

} // namespace trov::test
