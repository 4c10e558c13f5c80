// SPDX-License-Identifier: GPL-3.0-or-later
#include "crawler/concurrent_page_source.h"

#include "common/text.h"
#include "crawler/curl_page_source.h"
#include "crawler/link_list.h"
#include "crawler/link_rules.h"

#include <algorithm>
#include <unordered_map>

namespace trov {

namespace {

using namespace std::chrono_literals;

// How long the worker waits on its sockets before it looks at the cancel flag and the
// stall limit again, and how often a waiting FetchPage looks at the cancel flag.
constexpr int kPollMs = 50;
constexpr auto kCancelCheck = 20ms;

} // namespace

struct ConcurrentPageSource::Slot {
    explicit Slot(std::string a) : address(std::move(a)), host(text::toLower(HostOf(address))) {}

    const std::string address;
    const std::string host; // with the port: connections are counted per host and port
    // The rest is guarded by the source's mutex.
    enum class State { Waiting, Running, Done } state = State::Waiting;
    bool abandoned = false; // the crawl will not ask for it any more
    bool initFailed = false;
    std::string body;
};

struct ConcurrentPageSource::Running {
    std::shared_ptr<Slot> slot;
    std::unique_ptr<EasyTransfer> transfer;
};

ConcurrentPageSource::ConcurrentPageSource(TransferOptions options, std::size_t window)
    : options_(std::move(options)), window_(std::max<std::size_t>(window, 1)) {
    // Connections stay open between pages: that is most of the gain on a real network.
    options_.freshConnection = false;
}

ConcurrentPageSource::ConcurrentPageSource() : ConcurrentPageSource(pageFetchOptions()) {}

ConcurrentPageSource::~ConcurrentPageSource() {
    endCrawl();
}

void ConcurrentPageSource::beginCrawl(const std::atomic<bool>& cancel) {
    endCrawl();
    initialiseCurl();
    cancel_ = &cancel;
    quit_ = false;
    aborted_ = false;
    multi_ = curl_multi_init();
    if (!multi_)
        return; // FetchPage reports it
    curl_multi_setopt(multi_, CURLMOPT_MAX_HOST_CONNECTIONS, kHostConnections);
    worker_ = std::thread([this] { drive(); });
}

void ConcurrentPageSource::endCrawl() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
        for (auto& slot : queue_)
            slot->abandoned = true;
        queue_.clear();
        dropForgotten();
    }
    if (worker_.joinable()) {
        wake();
        worker_.join();
    }
    if (multi_)
        curl_multi_cleanup(multi_);
    multi_ = nullptr;
    cancel_ = nullptr;
}

void ConcurrentPageSource::wake() {
    if (multi_)
        curl_multi_wakeup(multi_);
}

void ConcurrentPageSource::expect(const std::string& address) {
    bool inWindow = false;
    {
        std::lock_guard lock(mutex_);
        if (!worker_.joinable() || aborted_)
            return;
        // A page started before the phase changed is taken over while it still falls in
        // the window, so the bodies held stay within the window.
        const auto again = std::find_if(forgotten_.begin(), forgotten_.end(),
                                        [&](const auto& slot) { return slot->address == address; });
        if (again != forgotten_.end() && queue_.size() < window_) {
            queue_.push_back(std::move(*again));
            forgotten_.erase(again);
        } else {
            queue_.push_back(std::make_shared<Slot>(address));
        }
        inWindow = queue_.size() <= window_;
    }
    if (inWindow)
        wake();
}

void ConcurrentPageSource::forgetExpected() {
    std::lock_guard lock(mutex_);
    dropForgotten();
    for (auto& slot : queue_) {
        if (slot->state == Slot::State::Waiting)
            slot->abandoned = true;
        else
            forgotten_.push_back(slot);
    }
    queue_.clear();
    wake();
}

void ConcurrentPageSource::dropForgotten() {
    for (auto& slot : forgotten_)
        slot->abandoned = true;
    forgotten_.clear();
}

std::string ConcurrentPageSource::FetchPage(const std::string& address) {
    if (cancel_ == nullptr) // outside a crawl: one page on its own
        return trov::FetchPage(address, options_, nullptr);
    if (!multi_)
        throw FetchInitError();
    std::unique_lock lock(mutex_);
    // What was not announced again by now will not be asked for.
    dropForgotten();
    if (aborted_ || cancel_->load())
        return std::string(kNil);
    const auto found = std::find_if(queue_.begin(), queue_.end(),
                                    [&](const auto& slot) { return slot->address == address; });
    if (found == queue_.end()) {
        queue_.push_front(std::make_shared<Slot>(address));
    } else {
        for (auto it = queue_.begin(); it != found; ++it)
            (*it)->abandoned = true;
        queue_.erase(queue_.begin(), found);
    }
    const std::shared_ptr<Slot> slot = queue_.front();
    if (slot->state == Slot::State::Waiting)
        wake();
    while (slot->state != Slot::State::Done && !aborted_ && !cancel_->load())
        done_.wait_for(lock, kCancelCheck);
    if (slot->state != Slot::State::Done)
        return std::string(kNil); // cancelled: the worker abandons the transfer
    queue_.pop_front();
    // The window moved on by one page, which may be waiting to start.
    if (queue_.size() >= window_ && queue_[window_ - 1]->state == Slot::State::Waiting)
        wake();
    if (slot->initFailed)
        throw FetchInitError();
    return std::move(slot->body);
}

void ConcurrentPageSource::startTransfers(std::vector<std::unique_ptr<Running>>& running) {
    std::vector<std::shared_ptr<Slot>> chosen;
    {
        std::lock_guard lock(mutex_);
        if (aborted_)
            return;
        std::unordered_map<std::string, long> perHost;
        for (const auto& r : running)
            ++perHost[r->slot->host];
        const std::size_t end = std::min(queue_.size(), window_);
        for (std::size_t i = 0; i < end; ++i) {
            Slot& slot = *queue_[i];
            if (slot.state != Slot::State::Waiting || perHost[slot.host] >= kHostConnections)
                continue;
            slot.state = Slot::State::Running;
            ++perHost[slot.host];
            chosen.push_back(queue_[i]);
        }
    }
    for (auto& slot : chosen) {
        try {
            auto r = std::make_unique<Running>();
            r->slot = slot;
            r->transfer = std::make_unique<EasyTransfer>(slot->address, options_, cancel_);
            curl_multi_add_handle(multi_, r->transfer->handle());
            running.push_back(std::move(r));
            ++started_;
        } catch (const FetchInitError&) {
            std::lock_guard lock(mutex_);
            slot->initFailed = true;
            slot->state = Slot::State::Done;
            done_.notify_all();
        }
    }
    std::size_t most = mostInFlight_.load();
    while (running.size() > most && !mostInFlight_.compare_exchange_weak(most, running.size())) {
    }
}

void ConcurrentPageSource::abandonAll(std::vector<std::unique_ptr<Running>>& running) {
    for (auto& r : running)
        curl_multi_remove_handle(multi_, r->transfer->handle());
    running.clear();
}

void ConcurrentPageSource::drive() {
    std::vector<std::unique_ptr<Running>> running;
    // Hands a finished transfer's page to its slot; the body is decoded here, off the
    // crawl's thread.
    auto finish = [&](std::size_t i, CURLcode code) {
        std::unique_ptr<Running> r = std::move(running[i]);
        running.erase(running.begin() + static_cast<std::ptrdiff_t>(i));
        curl_multi_remove_handle(multi_, r->transfer->handle());
        std::string page = pageText(r->transfer->finish(code));
        std::lock_guard lock(mutex_);
        r->slot->body = std::move(page);
        r->slot->state = Slot::State::Done;
        done_.notify_all();
    };

    for (;;) {
        {
            std::lock_guard lock(mutex_);
            if (quit_)
                break;
        }
        if (cancel_->load()) {
            abandonAll(running);
            std::lock_guard lock(mutex_);
            aborted_ = true;
            done_.notify_all();
        }
        {
            std::lock_guard lock(mutex_);
            std::erase_if(running, [&](const std::unique_ptr<Running>& r) {
                if (!r->slot->abandoned)
                    return false;
                curl_multi_remove_handle(multi_, r->transfer->handle());
                return true;
            });
        }
        startTransfers(running);

        int active = 0;
        curl_multi_perform(multi_, &active);
        // A message does not outlive the removal of its handle: collect them first.
        std::vector<std::pair<CURL*, CURLcode>> ended;
        int queued = 0;
        while (CURLMsg* msg = curl_multi_info_read(multi_, &queued))
            if (msg->msg == CURLMSG_DONE)
                ended.emplace_back(msg->easy_handle, msg->data.result);
        for (const auto& done : ended) {
            CURL* const handle = done.first;
            const auto it = std::find_if(running.begin(), running.end(), [handle](const auto& r) {
                return r->transfer->handle() == handle;
            });
            if (it != running.end())
                finish(static_cast<std::size_t>(it - running.begin()), done.second);
        }
        for (std::size_t i = running.size(); i-- > 0;)
            if (running[i]->transfer->overdue())
                finish(i, CURLE_ABORTED_BY_CALLBACK);
        // A finished transfer frees a connection: start the next page before waiting.
        if (ended.empty())
            curl_multi_poll(multi_, nullptr, 0, kPollMs, nullptr);
    }
    abandonAll(running);
}

} // namespace trov
