// SPDX-License-Identifier: GPL-3.0-or-later
#include "crawler/host_pacer.h"

#include "common/text.h"

#include <algorithm>
#include <curl/curl.h>

namespace trov {

namespace {

using std::chrono::milliseconds;

} // namespace

milliseconds retryAfterWait(std::string_view header, std::chrono::system_clock::time_point now,
                            const PacerLimits& limits) {
    const std::string value(text::trim(header));
    milliseconds wait = limits.retryAfterWhenAbsent;
    if (!value.empty() &&
        std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        // More digits than a cap needs read as the cap.
        wait = value.size() > 6 ? limits.maxRetryAfter : milliseconds(std::stol(value) * 1000);
    } else if (!value.empty()) {
        const time_t when = curl_getdate(value.c_str(), nullptr);
        if (when != -1)
            wait =
                std::max(milliseconds(0), std::chrono::duration_cast<milliseconds>(
                                              std::chrono::system_clock::from_time_t(when) - now));
    }
    return std::min(wait, limits.maxRetryAfter);
}

HostPacer::HostPacer(const PacerClock& clock, PacerLimits limits)
    : clock_(clock), limits_(limits) {}

HostPacer::Host& HostPacer::host(const std::string& origin) {
    const auto [it, added] = hosts_.try_emplace(origin);
    if (added)
        it->second.connections = limits_.connections;
    return it->second;
}

HostPacer::Time HostPacer::nextStartOf(const Host& h) const {
    const Time spaced = h.started ? h.lastStart + h.crawlDelay : Time{};
    return std::max(spaced, h.pausedUntil);
}

void HostPacer::setConnections(const std::string& origin, int connections) {
    std::lock_guard lock(mutex_);
    Host& h = host(origin);
    if (!h.spared)
        h.connections = std::max(1, connections);
}

void HostPacer::setCrawlDelay(const std::string& origin, milliseconds delay) {
    std::lock_guard lock(mutex_);
    host(origin).crawlDelay = std::clamp(delay, milliseconds(0), limits_.maxCrawlDelay);
}

bool HostPacer::tryStart(const std::string& origin) {
    std::lock_guard lock(mutex_);
    Host& h = host(origin);
    const Time now = clock_.now();
    if (h.running >= h.connections || now < nextStartOf(h))
        return false;
    ++h.running;
    h.lastStart = now;
    h.started = true;
    return true;
}

HostPacer::Time HostPacer::nextStart(const std::string& origin) const {
    std::lock_guard lock(mutex_);
    const auto it = hosts_.find(origin);
    return it == hosts_.end() ? Time{} : nextStartOf(it->second);
}

bool HostPacer::finish(const std::string& origin, long status, std::string_view retryAfter,
                       int retriesSoFar) {
    std::lock_guard lock(mutex_);
    Host& h = host(origin);
    h.running = std::max(0, h.running - 1);
    if (!isTooBusy(status))
        return false;
    const Time until = clock_.now() + retryAfterWait(retryAfter, clock_.wallNow(), limits_);
    h.pausedUntil = std::max(h.pausedUntil, until);
    h.spared = true;
    h.connections = 1;
    return retriesSoFar < limits_.retries;
}

int HostPacer::connections(const std::string& origin) const {
    std::lock_guard lock(mutex_);
    const auto it = hosts_.find(origin);
    return it == hosts_.end() ? limits_.connections : it->second.connections;
}

} // namespace trov
