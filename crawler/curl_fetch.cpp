#include "crawler/curl_fetch.h"

#include "crawler/page_source.h"

#include <curl/curl.h>
#include <memory>
#include <mutex>

namespace trov {

namespace {

using Clock = std::chrono::steady_clock;

void initialiseCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct TransferState {
    const TransferOptions* options = nullptr;
    const std::atomic<bool>* abort = nullptr;
    TransferResult* result = nullptr;
    Clock::time_point lastByte = Clock::now();
    bool stalled = false;
    bool sawBody = false;
    bool cut = false;
};

std::size_t onBody(char* data, std::size_t size, std::size_t count, void* user) {
    auto* state = static_cast<TransferState*>(user);
    state->lastByte = Clock::now();
    state->sawBody = true;
    if (state->options->statusOnly)
        return 0; // the status is all the reachability check reads
    std::string& body = state->result->body;
    const std::size_t n = size * count;
    if (body.size() + n > state->options->maxBody) {
        body.append(data, state->options->maxBody - body.size());
        state->cut = true;
        return 0;
    }
    body.append(data, n);
    return n;
}

std::size_t onHeader(char*, std::size_t size, std::size_t count, void* user) {
    static_cast<TransferState*>(user)->lastByte = Clock::now();
    return size * count;
}

int onProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    auto* state = static_cast<TransferState*>(user);
    if (state->abort && state->abort->load())
        return 1;
    if (Clock::now() - state->lastByte > state->options->stallLimit) {
        state->stalled = true;
        return 1;
    }
    return 0;
}

struct EasyDeleter {
    void operator()(CURL* h) const { curl_easy_cleanup(h); }
};
struct MultiDeleter {
    void operator()(CURLM* h) const { curl_multi_cleanup(h); }
};
struct ListDeleter {
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

} // namespace

TransferResult transfer(const std::string& address, const TransferOptions& options,
                        const std::atomic<bool>* abort) {
    initialiseCurlOnce();
    std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
    std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
    if (!easy || !multi)
        throw FetchInitError();
    TransferResult result;
    TransferState state;
    state.options = &options;
    state.abort = abort;
    state.result = &result;

    curl_slist* raw = curl_slist_append(nullptr, "Cache-Control: no-cache");
    raw = curl_slist_append(raw, "Pragma: no-cache");
    std::unique_ptr<curl_slist, ListDeleter> headers(raw);

    CURL* h = easy.get();
    curl_easy_setopt(h, CURLOPT_URL, address.c_str());
    curl_easy_setopt(h, CURLOPT_USERAGENT, options.agent.c_str());
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, options.maxRedirects);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(options.connectTimeout.count()));
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, onBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &state);
    curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, onHeader);
    curl_easy_setopt(h, CURLOPT_HEADERDATA, &state);
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, onProgress);
    curl_easy_setopt(h, CURLOPT_XFERINFODATA, &state);
    if (options.freshConnection) {
        curl_easy_setopt(h, CURLOPT_FRESH_CONNECT, 1L);
        curl_easy_setopt(h, CURLOPT_FORBID_REUSE, 1L);
    }

    // Driven on a multi handle so the abort flag and the stall limit are looked at every
    // 50 ms even while the connection is silent.
    curl_multi_add_handle(multi.get(), h);
    CURLcode code = CURLE_OK;
    for (;;) {
        int running = 0;
        if (curl_multi_perform(multi.get(), &running) != CURLM_OK) {
            code = CURLE_RECV_ERROR;
            break;
        }
        int queued = 0;
        bool done = false;
        while (CURLMsg* msg = curl_multi_info_read(multi.get(), &queued))
            if (msg->msg == CURLMSG_DONE) {
                code = msg->data.result;
                done = true;
            }
        if (done || running == 0)
            break;
        if (onProgress(&state, 0, 0, 0, 0) != 0) {
            code = CURLE_ABORTED_BY_CALLBACK;
            break;
        }
        curl_multi_poll(multi.get(), nullptr, 0, 50, nullptr);
    }
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &result.status);
    char* type = nullptr;
    if (curl_easy_getinfo(h, CURLINFO_CONTENT_TYPE, &type) == CURLE_OK && type)
        result.contentType = type;
    curl_multi_remove_handle(multi.get(), h);

    using Outcome = TransferResult::Outcome;
    if (code == CURLE_OK)
        result.outcome = Outcome::Done;
    else if (code == CURLE_WRITE_ERROR && options.statusOnly && state.sawBody)
        result.outcome = Outcome::Done;
    else if (code == CURLE_WRITE_ERROR && state.cut)
        result.outcome = Outcome::PartialBody;
    else if (code == CURLE_ABORTED_BY_CALLBACK)
        result.outcome = (abort && abort->load()) ? Outcome::Aborted
                         : state.stalled          ? Outcome::Stalled
                                                  : Outcome::Failed;
    else if (result.status != 0 && (code == CURLE_RECV_ERROR || code == CURLE_PARTIAL_FILE))
        result.outcome = Outcome::PartialBody; // a read error ends the body where it broke
    else
        result.outcome = Outcome::Failed;
    return result;
}

} // namespace trov
