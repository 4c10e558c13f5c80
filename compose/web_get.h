// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One bounded GET for the own engines: an engine's suggestions and the documents an engine
// is added from. Only http and https, redirects followed, the whole transfer limited in
// time and the answer in size. It blocks: the window calls it off its thread.

#include <chrono>
#include <cstddef>
#include <string>

namespace trov {

struct WebGetOptions {
    std::chrono::milliseconds timeout{10000}; // the whole transfer, redirects included
    std::size_t maxBytes = std::size_t{1} << 20;
};

struct WebPage {
    bool ok = false; // a 2xx answer arrived whole within the limits
    long status = 0; // the final answer's status, 0 when none arrived
    std::string body;
    std::string address; // the final address, after redirects
    std::string error;   // why not ok
};

WebPage webGet(const std::string& address, const WebGetOptions& options = {});

} // namespace trov
