// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The stop and cancel requests of one crawl job. Each job gets a token of its own, made when
// it is started and held by whoever runs it; a request is never withdrawn, so a Cancel
// pressed at any moment of a job (before its first page included) cannot be lost, and a new
// job never inherits an old one's requests. Stop finishes with what the job has; Cancel
// abandons it, which includes stopping. The requests are lock-free stores: any thread, and a
// signal handler, may make them.

#include <atomic>

namespace trov {

class StopToken {
public:
    void stop() { stop_.store(true); }
    void cancel() { cancel_.store(true); }
    bool stopped() const { return stop_.load() || cancel_.load(); }
    bool cancelled() const { return cancel_.load(); }
    // For the scans and transfers that watch the cancel request on their own.
    const std::atomic<bool>& cancelFlag() const { return cancel_; }

private:
    std::atomic<bool> stop_{false};
    std::atomic<bool> cancel_{false};
};

} // namespace trov
