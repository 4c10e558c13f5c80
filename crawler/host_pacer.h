// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How hard a run of requests presses on each host (an origin: scheme, host and port). A
// driver asks tryStart() before each request and reports its end with finish(); the pacer
// never waits itself, it says when an origin may be asked next, so one thread can drive
// many hosts. Per origin: at most a number of requests at once, at least the Crawl-delay
// between two starts, and after a 429 or 503 answer a pause of the Retry-After time, the
// request asked again at most twice, and one connection for the rest of the run. Safe to
// use from several threads.

#include <chrono>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

namespace trov {

// Where the pacer reads the time; tests give their own.
class PacerClock {
public:
    virtual ~PacerClock() = default;
    virtual std::chrono::steady_clock::time_point now() const = 0;
    // For a Retry-After given as a date.
    virtual std::chrono::system_clock::time_point wallNow() const = 0;
};

class SystemPacerClock : public PacerClock {
public:
    std::chrono::steady_clock::time_point now() const override {
        return std::chrono::steady_clock::now();
    }
    std::chrono::system_clock::time_point wallNow() const override {
        return std::chrono::system_clock::now();
    }
};

struct PacerLimits {
    int connections = 2; // requests at once to an origin not set otherwise
    std::chrono::milliseconds maxCrawlDelay{30000};
    std::chrono::milliseconds maxRetryAfter{60000};
    std::chrono::milliseconds retryAfterWhenAbsent{2000};
    int retries = 2; // how often a request answered 429 or 503 is asked again
};

// Whether an answer asks to be asked again later.
inline bool isTooBusy(long status) {
    return status == 429 || status == 503;
}

// The wait a Retry-After header asks for: delay-seconds or an HTTP date, from now, within
// the limits; an absent or unreadable value asks for the default.
std::chrono::milliseconds retryAfterWait(std::string_view header,
                                         std::chrono::system_clock::time_point now,
                                         const PacerLimits& limits);

class HostPacer {
public:
    using Time = std::chrono::steady_clock::time_point;

    explicit HostPacer(const PacerClock& clock, PacerLimits limits = {});

    // An origin's own limit of requests at once; a host that asked to be spared keeps one.
    void setConnections(const std::string& origin, int connections);
    // The Crawl-delay of the origin's robots.txt, capped.
    void setCrawlDelay(const std::string& origin, std::chrono::milliseconds delay);

    // Whether a request to origin may start now; when it may, it counts as started.
    bool tryStart(const std::string& origin);
    // The earliest moment a request to origin may start, its connections aside.
    Time nextStart(const std::string& origin) const;
    // A request to origin is over with this status (0: no answer). A 429 or 503 pauses the
    // origin and leaves it one connection; the answer is true when the request, asked again
    // retriesSoFar times already, should be asked again once the pause is over.
    bool finish(const std::string& origin, long status = 0, std::string_view retryAfter = {},
                int retriesSoFar = 0);

    int connections(const std::string& origin) const;
    const PacerLimits& limits() const { return limits_; }

private:
    struct Host {
        int connections = 0;
        int running = 0;
        bool spared = false; // answered 429 or 503 once
        std::chrono::milliseconds crawlDelay{0};
        Time lastStart{};
        bool started = false;
        Time pausedUntil{};
    };
    Host& host(const std::string& origin);
    Time nextStartOf(const Host& h) const;

    const PacerClock& clock_;
    const PacerLimits limits_;
    mutable std::mutex mutex_;
    std::unordered_map<std::string, Host> hosts_;
};

} // namespace trov
