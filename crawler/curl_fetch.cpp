// SPDX-License-Identifier: GPL-3.0-or-later
#include "crawler/curl_fetch.h"

#include "crawler/body_decoding.h"
#include "crawler/host_pacer.h"
#include "crawler/page_source.h"

#include <algorithm>
#include <memory>
#include <mutex>

namespace trov {

namespace {

using Clock = std::chrono::steady_clock;

struct MultiDeleter {
    void operator()(CURLM* h) const { curl_multi_cleanup(h); }
};

} // namespace

void initialiseCurl() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

EasyTransfer::EasyTransfer(const std::string& address, const TransferOptions& options,
                           const std::atomic<bool>* abort)
    : options_(options), abort_(abort), lastByte_(Clock::now()) {
    initialiseCurl();
    easy_ = curl_easy_init();
    if (!easy_)
        throw FetchInitError();
    headers_ = curl_slist_append(nullptr, "Cache-Control: no-cache");
    headers_ = curl_slist_append(headers_, "Pragma: no-cache");

    CURL* h = easy_;
    curl_easy_setopt(h, CURLOPT_URL, address.c_str());
    curl_easy_setopt(h, CURLOPT_USERAGENT, options.agent.c_str());
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers_);
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, options.maxRedirects);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(options.connectTimeout.count()));
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, onBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, onHeader);
    curl_easy_setopt(h, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, onProgress);
    curl_easy_setopt(h, CURLOPT_XFERINFODATA, this);
    if (options.freshConnection) {
        curl_easy_setopt(h, CURLOPT_FRESH_CONNECT, 1L);
        curl_easy_setopt(h, CURLOPT_FORBID_REUSE, 1L);
    }
}

EasyTransfer::~EasyTransfer() {
    curl_easy_cleanup(easy_);
    curl_slist_free_all(headers_);
}

std::size_t EasyTransfer::onBody(char* data, std::size_t size, std::size_t count, void* user) {
    auto* self = static_cast<EasyTransfer*>(user);
    self->lastByte_ = Clock::now();
    if (self->options_.statusOnly) {
        self->sawBody_ = true;
        return 0; // the status is all the reachability check reads
    }
    if (!self->sawBody_) {
        self->sawBody_ = true;
        // A picture, a film or an archive has no text to crawl: its body is not read.
        char* type = nullptr;
        if (curl_easy_getinfo(self->easy_, CURLINFO_CONTENT_TYPE, &type) == CURLE_OK && type &&
            isNonTextType(type)) {
            self->nonText_ = true;
            return 0;
        }
    }
    std::string& body = self->result_.body;
    const std::size_t n = size * count;
    const std::size_t taken = std::min(n, self->options_.maxBody - body.size());
    if (!self->makeRoom(taken)) {
        self->paused_ = true;
        return CURL_WRITEFUNC_PAUSE;
    }
    body.append(data, taken);
    if (taken < n) {
        self->cut_ = true;
        return 0;
    }
    return n;
}

bool EasyTransfer::makeRoom(std::size_t n) {
    std::string& body = result_.body;
    const std::size_t needed = body.size() + n;
    if (needed <= body.capacity())
        return true;
    // The announced length is reserved at once, so a large body is never copied as it grows;
    // otherwise the room doubles.
    curl_off_t announced = -1;
    if (body.empty())
        curl_easy_getinfo(easy_, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
    std::size_t room = announced > 0 ? static_cast<std::size_t>(announced) : 2 * body.capacity();
    room = std::min(std::max(room, needed), options_.maxBody);
    if (allow_ && !allow_(room - body.capacity()))
        return false;
    body.reserve(room);
    return true;
}

void EasyTransfer::resume() {
    paused_ = false;
    lastByte_ = Clock::now();
    curl_easy_pause(easy_, CURLPAUSE_CONT);
}

std::size_t EasyTransfer::onHeader(char*, std::size_t size, std::size_t count, void* user) {
    static_cast<EasyTransfer*>(user)->lastByte_ = Clock::now();
    return size * count;
}

int EasyTransfer::onProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<EasyTransfer*>(user)->overdue() ? 1 : 0;
}

bool EasyTransfer::overdue() {
    if (abort_ && abort_->load())
        return true;
    if (!paused_ && Clock::now() - lastByte_ > options_.stallLimit) {
        stalled_ = true;
        return true;
    }
    return false;
}

TransferResult EasyTransfer::finish(CURLcode code) {
    TransferResult result = std::move(result_);
    curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &result.status);
    char* type = nullptr;
    if (curl_easy_getinfo(easy_, CURLINFO_CONTENT_TYPE, &type) == CURLE_OK && type)
        result.contentType = type;
    curl_header* retryAfter = nullptr;
    if (isTooBusy(result.status) &&
        curl_easy_header(easy_, "Retry-After", 0, CURLH_HEADER, -1, &retryAfter) == CURLHE_OK &&
        retryAfter)
        result.retryAfter = retryAfter->value;

    using Outcome = TransferResult::Outcome;
    if (code == CURLE_OK)
        result.outcome = Outcome::Done;
    else if (code == CURLE_WRITE_ERROR && options_.statusOnly && sawBody_)
        result.outcome = Outcome::Done;
    else if (code == CURLE_WRITE_ERROR && cut_)
        result.outcome = Outcome::PartialBody;
    else if (code == CURLE_WRITE_ERROR && nonText_)
        result.outcome = Outcome::NotText;
    else if (code == CURLE_ABORTED_BY_CALLBACK)
        result.outcome = (abort_ && abort_->load()) ? Outcome::Aborted
                         : stalled_                 ? Outcome::Stalled
                                                    : Outcome::Failed;
    else if (result.status != 0 && (code == CURLE_RECV_ERROR || code == CURLE_PARTIAL_FILE))
        result.outcome = Outcome::PartialBody; // a read error ends the body where it broke
    else
        result.outcome = Outcome::Failed;
    return result;
}

bool answeredWith2xx(const TransferResult& result) {
    const bool answered = result.outcome == TransferResult::Outcome::Done ||
                          result.outcome == TransferResult::Outcome::PartialBody;
    return answered && result.status >= 200 && result.status < 300;
}

TransferResult transfer(const std::string& address, const TransferOptions& options,
                        const std::atomic<bool>* abort) {
    initialiseCurl();
    std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
    if (!multi)
        throw FetchInitError();
    EasyTransfer easy(address, options, abort);

    // Driven on a multi handle so the abort flag and the stall limit are looked at every
    // 50 ms even while the connection is silent.
    curl_multi_add_handle(multi.get(), easy.handle());
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
        if (easy.overdue()) {
            code = CURLE_ABORTED_BY_CALLBACK;
            break;
        }
        curl_multi_poll(multi.get(), nullptr, 0, 50, nullptr);
    }
    curl_multi_remove_handle(multi.get(), easy.handle());
    return easy.finish(code);
}

} // namespace trov
