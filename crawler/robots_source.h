// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where a crawl gets an origin's robots.txt, and what each kind of answer means: rules on
// a 2xx; everything allowed on a 4xx (and after more than five redirects); nothing on the
// host fetched after a 5xx or no answer at all.

#include "crawler/curl_fetch.h"

#include <atomic>
#include <string>

namespace trov {

struct RobotsFile {
    enum class Access { Rules, Unavailable, Unreachable };
    Access access = Access::Unavailable;
    std::string body;   // Rules: the file, as far as the parser reads it
    std::string answer; // Unreachable: "HTTP 503", or "no answer"
};

class RobotsSource {
public:
    virtual ~RobotsSource() = default;
    // origin: "https://example.com[:port]". abort ends a transfer under way.
    // May throw FetchInitError.
    virtual RobotsFile read(const std::string& origin, const std::atomic<bool>* abort) = 0;
};

// The crawl's agent string, up to five redirects, the body cut just past the parse limit.
TransferOptions robotsFetchOptions();
RobotsFile robotsFileOf(TransferResult result);

// GET origin + "/robots.txt" on libcurl.
class CurlRobotsSource : public RobotsSource {
public:
    explicit CurlRobotsSource(TransferOptions options = robotsFetchOptions())
        : options_(std::move(options)) {}
    RobotsFile read(const std::string& origin, const std::atomic<bool>* abort) override;

private:
    TransferOptions options_;
};

// The same file for every origin: rules the user gives, or a test's.
class FixedRobotsSource : public RobotsSource {
public:
    explicit FixedRobotsSource(RobotsFile file) : file_(std::move(file)) {}
    RobotsFile read(const std::string&, const std::atomic<bool>*) override { return file_; }

private:
    RobotsFile file_;
};

} // namespace trov
