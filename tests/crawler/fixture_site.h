#pragma once

// A small site on the test server with links of every form the crawler meets: relative,
// absolute, other hosts, mailto:, javascript:, fragments, "hotel.html", upper-case tags,
// single quotes, an area tag, two HREFs in one tag, a double slash, a redirect, a 404,
// an empty page and a second level.

#include "tests/support/http_server.h"

#include <string>
#include <vector>

namespace trov::test {

void serveFixtureSite(HttpServer& server);

// A page of the site as a result line shows it: its address and its title.
struct Hit {
    std::string address;
    std::string title;
};

// The exact bytes of a result page for these search words, site and hits.
std::string expectedResultPage(const std::string& searchText, const std::string& site,
                               const std::vector<Hit>& hits);

} // namespace trov::test
