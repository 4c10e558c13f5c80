// SPDX-License-Identifier: GPL-3.0-or-later
// The pacer's rules on a clock the test moves: connections per host, Crawl-delay between
// starts, the Retry-After pause (seconds or an HTTP date, capped), two retries, and one
// connection for a host that asked to be spared.

#include "crawler/host_pacer.h"

#include <gtest/gtest.h>

namespace trov {
namespace {

using namespace std::chrono_literals;
using std::chrono::milliseconds;

struct FakeClock : PacerClock {
    std::chrono::steady_clock::time_point now() const override { return at; }
    std::chrono::system_clock::time_point wallNow() const override { return wall; }
    std::chrono::steady_clock::time_point at{1h};
    // 2015-10-21 07:27:50 UTC, ten seconds before the dates below.
    std::chrono::system_clock::time_point wall = std::chrono::system_clock::from_time_t(1445412470);
};

const std::string kHost = "http://a.example", kOther = "http://b.example";

TEST(HostPacer, RetryAfterSecondsOrDateWithinTheCap) {
    FakeClock clock;
    // clang-format off
    const std::pair<std::string, milliseconds> rows[] = {
        {"5", 5s}, {" 0 ", 0s}, {"60", 60s}, {"61", 60s}, {"99999999999", 60s},
        {"", 2s}, {"soon", 2s}, {"-3", 2s}, {"1.5", 2s},
        {"Wed, 21 Oct 2015 07:28:00 GMT", 10s},      // the date of RFC 9110
        {"Wednesday, 21-Oct-15 07:28:00 GMT", 10s},  // the obsolete forms it still allows
        {"Wed Oct 21 07:28:00 2015", 10s},
        {"Wed, 21 Oct 2015 07:00:00 GMT", 0s},       // already past
        {"Thu, 22 Oct 2015 07:28:00 GMT", 60s}};
    // clang-format on
    for (const auto& [header, wait] : rows)
        EXPECT_EQ(retryAfterWait(header, clock.wall, {}), wait) << header;
}

TEST(HostPacer, ConnectionsAndCrawlDelayPerHost) {
    FakeClock clock;
    HostPacer pacer(clock);
    EXPECT_TRUE(pacer.tryStart(kHost));
    EXPECT_TRUE(pacer.tryStart(kHost));
    EXPECT_FALSE(pacer.tryStart(kHost)); // two at once
    EXPECT_TRUE(pacer.tryStart(kOther)); // another host has its own
    EXPECT_FALSE(pacer.finish(kHost, 200));
    EXPECT_TRUE(pacer.tryStart(kHost));

    pacer.setConnections(kOther, 6);
    pacer.setCrawlDelay(kOther, 1500ms);
    clock.at += 1s;
    EXPECT_FALSE(pacer.tryStart(kOther)); // 1.5 s after the last start
    EXPECT_EQ(pacer.nextStart(kOther), clock.at + 500ms);
    clock.at += 500ms;
    EXPECT_TRUE(pacer.tryStart(kOther));
    pacer.setCrawlDelay(kOther, 100s);
    EXPECT_EQ(pacer.nextStart(kOther), clock.at + 30s); // capped
}

TEST(HostPacer, BackOffTwoRetriesThenOneConnection) {
    FakeClock clock;
    HostPacer pacer(clock);
    pacer.setConnections(kHost, 6);
    ASSERT_TRUE(pacer.tryStart(kHost));
    ASSERT_TRUE(pacer.tryStart(kHost));
    EXPECT_TRUE(pacer.finish(kHost, 429, "5", 0)); // asked again...
    EXPECT_FALSE(pacer.tryStart(kHost));           // ...after the pause
    EXPECT_EQ(pacer.nextStart(kHost), clock.at + 5s);
    EXPECT_EQ(pacer.nextStart(kOther), HostPacer::Time{}); // only that host waits
    clock.at += 5s;
    EXPECT_FALSE(pacer.tryStart(kHost)); // one connection, still taken
    EXPECT_FALSE(pacer.finish(kHost));
    EXPECT_TRUE(pacer.tryStart(kHost));
    EXPECT_TRUE(pacer.finish(kHost, 503, "", 1));
    EXPECT_EQ(pacer.nextStart(kHost), clock.at + 2s);
    clock.at += 2s;
    ASSERT_TRUE(pacer.tryStart(kHost));
    EXPECT_FALSE(pacer.finish(kHost, 503, "", 2)); // twice is all
    pacer.setConnections(kHost, 6);
    EXPECT_EQ(pacer.connections(kHost), 1); // for the rest of the run
}

} // namespace
} // namespace trov
