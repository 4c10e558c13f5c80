// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// CheckSiteReachable on libcurl: the site answers when its final status, redirects
// followed, is 200 or 302.

#include "compose/go_ports.h"

#include <atomic>
#include <chrono>
#include <string>

namespace trov {

// The address the check requests: "http://" in front unless a scheme is there.
std::string reachabilityAddress(const std::string& site);

class CurlReachability : public ReachabilityPort {
public:
    CurlReachability() = default;
    // abort, when given, ends the check at once (as not reachable).
    explicit CurlReachability(const std::atomic<bool>* abort) : abort_(abort) {}
    bool reachable(const std::string& site) override;

    std::chrono::milliseconds stallLimit{30000};

private:
    const std::atomic<bool>* abort_ = nullptr;
};

} // namespace trov
