#pragma once

// One HTTP(S) transfer on libcurl, shared by the page fetch and the reachability check:
// only http and https (redirects included), redirects followed, the cache bypassed, a
// connect time-out, a stall limit and an abort flag watched while the transfer runs.

#include <atomic>
#include <chrono>
#include <string>

namespace trov {

struct TransferOptions {
    std::string agent;
    std::chrono::milliseconds connectTimeout{5000};
    // A transfer that receives no byte for this long has failed.
    std::chrono::milliseconds stallLimit{30000};
    long maxRedirects = 20;
    // A body is cut here, so an endless response cannot exhaust memory.
    std::size_t maxBody = std::size_t{256} << 20;
    // Stop reading once the final response's status is known (the reachability check).
    bool statusOnly = false;
    // A new connection for every transfer, none kept afterwards.
    bool freshConnection = true;
};

struct TransferResult {
    enum class Outcome { Done, PartialBody, Failed, Stalled, Aborted } outcome = Outcome::Failed;
    long status = 0; // the final response's status, 0 when none arrived
    std::string body;
    std::string contentType;
};

// Throws FetchInitError when no transfer handle can be made.
TransferResult transfer(const std::string& address, const TransferOptions& options,
                        const std::atomic<bool>* abort);

} // namespace trov
