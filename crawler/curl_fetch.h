// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One HTTP(S) transfer on libcurl, shared by the page fetch and the reachability check:
// only http and https (redirects included), redirects followed, the cache bypassed, a
// connect time-out, a stall limit and an abort flag watched while the transfer runs.

#include <atomic>
#include <chrono>
#include <curl/curl.h>
#include <functional>
#include <string>

namespace trov {

// A page's body is cut here and the page is read as far as it came: no web page is
// larger, and a crawl never holds more than a few bodies of this size at once.
inline constexpr std::size_t kMaxPageBody = std::size_t{64} << 20;

struct TransferOptions {
    std::string agent;
    std::chrono::milliseconds connectTimeout{5000};
    // A transfer that receives no byte for this long has failed.
    std::chrono::milliseconds stallLimit{30000};
    long maxRedirects = 20;
    // A body is cut here, so an endless response cannot exhaust memory.
    std::size_t maxBody = kMaxPageBody;
    // Stop reading once the final response's status is known (the reachability check).
    bool statusOnly = false;
    // A new connection for every transfer, none kept afterwards.
    bool freshConnection = true;
};

struct TransferResult {
    // NotText: the Content-Type named no text (isNonTextType); the body was not read.
    enum class Outcome {
        Done,
        PartialBody,
        NotText,
        Failed,
        Stalled,
        Aborted
    } outcome = Outcome::Failed;
    long status = 0; // the final response's status, 0 when none arrived
    std::string body;
    std::string contentType;
    std::string retryAfter; // the Retry-After header of a 429 or 503 answer
};

// Whether the transfer ended with an answer of 2xx (its body, whole or cut, is there).
bool answeredWith2xx(const TransferResult& result);

// One transfer's easy handle, set up with the options above, for a driver that adds it to
// a multi handle. It may not move: libcurl holds pointers into it.
class EasyTransfer {
public:
    // Throws FetchInitError when no handle can be made.
    EasyTransfer(const std::string& address, const TransferOptions& options,
                 const std::atomic<bool>* abort);
    ~EasyTransfer();
    EasyTransfer(const EasyTransfer&) = delete;
    EasyTransfer& operator=(const EasyTransfer&) = delete;

    CURL* handle() const { return easy_; }
    // Asked before the body takes more memory (the number of bytes it grows by); when it
    // says no, the transfer pauses until resume(). Without it the body grows freely.
    void setAllowance(std::function<bool(std::size_t)> allow) { allow_ = std::move(allow); }
    bool paused() const { return paused_; }
    // Goes on with a paused transfer (on the thread that drives its multi handle).
    void resume();
    // Whether the abort flag is up or the stall limit has passed; drivers ask between polls
    // too, since libcurl calls the progress callback only while a connection is active. A
    // paused transfer waits for room, not for the server, and never stalls.
    bool overdue();
    // The result once the handle has left its multi handle with this code.
    TransferResult finish(CURLcode code);

private:
    static std::size_t onBody(char* data, std::size_t size, std::size_t count, void* user);
    static std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* user);
    static int onProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t);

    const TransferOptions& options_;
    const std::atomic<bool>* abort_;
    CURL* easy_ = nullptr;
    curl_slist* headers_ = nullptr;
    // The memory the body needs for n more bytes, asked of the allowance; false: pause.
    bool makeRoom(std::size_t n);

    TransferResult result_;
    std::function<bool(std::size_t)> allow_;
    std::chrono::steady_clock::time_point lastByte_;
    bool stalled_ = false;
    bool sawBody_ = false;
    bool cut_ = false;
    bool nonText_ = false;
    bool paused_ = false;
};

// Initialises libcurl once for the process.
void initialiseCurl();

// One transfer on a multi handle of its own. Throws FetchInitError when no transfer
// handle can be made.
TransferResult transfer(const std::string& address, const TransferOptions& options,
                        const std::atomic<bool>* abort);

} // namespace trov
