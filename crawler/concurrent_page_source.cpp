// SPDX-License-Identifier: GPL-3.0-or-later
#include "crawler/concurrent_page_source.h"

#include "common/text.h"
#include "crawler/address_origin.h"
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

std::string originOf(const std::string& address) {
    const auto split = splitOrigin(address);
    return split ? split->origin : std::string();
}

} // namespace

struct ConcurrentPageSource::Slot {
    explicit Slot(std::string a)
        : address(std::move(a)), host(text::toLower(HostOf(address))), origin(originOf(address)) {}

    const std::string address;
    const std::string host;   // with the port: connections are counted per host and port
    const std::string origin; // as robots.txt and the pacer name it; empty: not http(s)
    // The rest is guarded by the source's mutex.
    enum class State { Waiting, Running, Done } state = State::Waiting;
    bool abandoned = false; // the crawl will not ask for it any more
    bool awaited = false;   // the crawl is waiting for it: the budget does not hold it back
    bool initFailed = false;
    bool keptOut = false; // robots.txt keeps the crawl from it: never requested
    int retries = 0;      // asked again after 429 or 503
    std::size_t held = 0; // bytes of its body counted in the budget
    std::string body;
};

struct ConcurrentPageSource::Running {
    std::shared_ptr<Slot> slot;
    std::unique_ptr<EasyTransfer> transfer;
};

ConcurrentPageSource::ConcurrentPageSource(TransferOptions options, std::size_t window,
                                           std::size_t budget)
    : options_(std::move(options)), window_(std::max<std::size_t>(window, 1)), budget_(budget) {
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
    manners_.begin(respectRobots_, cancel_);
    robotsWanted_.clear();
    quit_ = false;
    aborted_ = false;
    held_ = 0;
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
            abandon(*slot);
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
            abandon(*slot);
        else
            forgotten_.push_back(slot);
    }
    queue_.clear();
    wake();
}

void ConcurrentPageSource::dropForgotten() {
    for (auto& slot : forgotten_)
        abandon(*slot);
    forgotten_.clear();
}

bool ConcurrentPageSource::allow(Slot& slot, std::size_t bytes) {
    if (slot.abandoned || (!slot.awaited && held_ + bytes > budget_))
        return false;
    slot.held += bytes;
    held_ += bytes;
    std::size_t most = mostHeld_.load();
    while (held_ > most && !mostHeld_.compare_exchange_weak(most, held_)) {
    }
    return true;
}

void ConcurrentPageSource::release(Slot& slot) {
    held_ -= slot.held;
    slot.held = 0;
}

void ConcurrentPageSource::abandon(Slot& slot) {
    slot.abandoned = true;
    // A running transfer's bytes go when the worker drops it; a finished body goes now.
    if (slot.state == Slot::State::Done) {
        release(slot);
        slot.body = std::string();
    }
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
            abandon(**it);
        queue_.erase(queue_.begin(), found);
    }
    const std::shared_ptr<Slot> slot = queue_.front();
    slot->awaited = true;
    if (slot->state != Slot::State::Done)
        wake(); // to start it, or to let it go on past the budget
    while (slot->state != Slot::State::Done && !aborted_ && !cancel_->load())
        done_.wait_for(lock, kCancelCheck);
    if (slot->state != Slot::State::Done)
        return std::string(kNil); // cancelled: the worker abandons the transfer
    queue_.pop_front();
    release(*slot);
    if (slot->keptOut)
        manners_.keptOut(slot->address);
    // The window moved on by one page, which may be waiting to start, and the budget has
    // room again for pages paused.
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
            if (slot.state != Slot::State::Waiting || perHost[slot.host] >= kHostConnections ||
                !mannersLetStart(slot))
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
            r->transfer->setAllowance([this, &s = *slot](std::size_t bytes) {
                std::lock_guard lock(mutex_);
                return allow(s, bytes);
            });
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

bool ConcurrentPageSource::mannersLetStart(Slot& slot) {
    if (slot.origin.empty())
        return true;
    if (!manners_.robotsKnown(slot.origin)) {
        if (manners_.startRobots(slot.origin))
            robotsWanted_.push_back(slot.origin);
        return false;
    }
    if (!manners_.admits(slot.address)) {
        slot.keptOut = true;
        slot.state = Slot::State::Done;
        done_.notify_all();
        return false;
    }
    return manners_.pacer().tryStart(slot.origin);
}

void ConcurrentPageSource::startRobotsReads() {
    std::vector<std::string> origins;
    {
        std::lock_guard lock(mutex_);
        origins.swap(robotsWanted_);
    }
    for (std::string& origin : origins) {
        auto read = std::make_unique<RobotsRead>();
        try {
            read->transfer = std::make_unique<EasyTransfer>(origin + "/robots.txt",
                                                            manners_.robotsOptions(), cancel_);
        } catch (const FetchInitError&) {
            manners_.robotsRead(origin, {}); // no answer: the host is not fetched
            continue;
        }
        read->origin = std::move(origin);
        curl_multi_add_handle(multi_, read->transfer->handle());
        robotsReads_.push_back(std::move(read));
    }
}

void ConcurrentPageSource::unpace(const Slot& slot) {
    if (!slot.origin.empty())
        manners_.pacer().finish(slot.origin);
}

void ConcurrentPageSource::abandonAll(std::vector<std::unique_ptr<Running>>& running) {
    for (auto& r : running) {
        curl_multi_remove_handle(multi_, r->transfer->handle());
        unpace(*r->slot);
    }
    for (auto& read : robotsReads_)
        curl_multi_remove_handle(multi_, read->transfer->handle());
    robotsReads_.clear();
    std::lock_guard lock(mutex_);
    for (auto& r : running)
        release(*r->slot);
    running.clear();
}

void ConcurrentPageSource::resumePaused(std::vector<std::unique_ptr<Running>>& running) {
    std::vector<EasyTransfer*> resumed;
    {
        std::lock_guard lock(mutex_);
        for (auto& r : running)
            if (r->transfer->paused() && (r->slot->awaited || held_ < budget_))
                resumed.push_back(r->transfer.get());
    }
    // Outside the lock: going on hands the transfer its waiting bytes at once.
    for (EasyTransfer* t : resumed)
        t->resume();
}

void ConcurrentPageSource::makeWayForAwaited(std::vector<std::unique_ptr<Running>>& running) {
    // Pages further ahead, paused for the budget, may hold every connection to the host of
    // the page the crawl asked for out of turn: the last of them starts again later.
    std::unique_ptr<Running> dropped;
    {
        std::lock_guard lock(mutex_);
        if (queue_.empty() || !queue_.front()->awaited ||
            queue_.front()->state != Slot::State::Waiting)
            return;
        const std::string& host = queue_.front()->host;
        const std::string& origin = queue_.front()->origin;
        long sameHost = 0;
        for (const auto& r : running)
            sameHost += r->slot->host == host;
        // A host that asked to be spared has fewer connections to hold.
        const long connections =
            origin.empty() ? kHostConnections : manners_.pacer().connections(origin);
        if (sameHost < std::min(kHostConnections, connections))
            return;
        for (std::size_t i = running.size(); i-- > 0;) {
            Slot& slot = *running[i]->slot;
            if (slot.host == host && running[i]->transfer->paused()) {
                release(slot);
                slot.state = Slot::State::Waiting;
                dropped = std::move(running[i]);
                running.erase(running.begin() + static_cast<std::ptrdiff_t>(i));
                break;
            }
        }
    }
    if (dropped) {
        curl_multi_remove_handle(multi_, dropped->transfer->handle());
        unpace(*dropped->slot);
    }
}

void ConcurrentPageSource::drive() {
    std::vector<std::unique_ptr<Running>> running;
    // Hands a finished transfer's page to its slot; the body is decoded here, off the
    // crawl's thread.
    auto finish = [&](std::size_t i, CURLcode code) {
        std::unique_ptr<Running> r = std::move(running[i]);
        running.erase(running.begin() + static_cast<std::ptrdiff_t>(i));
        curl_multi_remove_handle(multi_, r->transfer->handle());
        TransferResult result = r->transfer->finish(code);
        Slot& slot = *r->slot;
        if (!slot.origin.empty() &&
            manners_.pacer().finish(slot.origin, result.status, result.retryAfter, slot.retries)) {
            // Too busy: asked again once the host's pause is over.
            std::lock_guard lock(mutex_);
            release(slot);
            ++slot.retries;
            slot.state = slot.abandoned ? Slot::State::Done : Slot::State::Waiting;
            return;
        }
        // Still too busy after the last retry: a page without content.
        std::string page =
            isTooBusy(result.status) ? std::string() : pageText(std::move(result), cancel_);
        std::lock_guard lock(mutex_);
        // The text takes the place of the bytes in the budget.
        release(slot);
        slot.state = Slot::State::Done;
        if (!slot.abandoned) {
            slot.held = page.capacity();
            held_ += slot.held;
            slot.body = std::move(page);
        }
        done_.notify_all();
    };

    // A robots.txt read is over: its host's pages may be decided.
    auto robotsDone = [&](CURL* handle, CURLcode code) {
        const auto it =
            std::find_if(robotsReads_.begin(), robotsReads_.end(),
                         [handle](const auto& r) { return r->transfer->handle() == handle; });
        if (it == robotsReads_.end())
            return;
        const std::unique_ptr<RobotsRead> read = std::move(*it);
        robotsReads_.erase(it);
        curl_multi_remove_handle(multi_, handle);
        manners_.robotsRead(read->origin, read->transfer->finish(code));
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
        std::vector<std::unique_ptr<Running>> gone;
        {
            std::lock_guard lock(mutex_);
            for (auto& r : running)
                if (r->slot->abandoned) {
                    release(*r->slot);
                    gone.push_back(std::move(r));
                }
            std::erase(running, nullptr);
        }
        for (auto& r : gone) {
            curl_multi_remove_handle(multi_, r->transfer->handle());
            unpace(*r->slot);
        }
        gone.clear();
        resumePaused(running);
        makeWayForAwaited(running);
        startTransfers(running);
        startRobotsReads();

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
            else
                robotsDone(handle, done.second);
        }
        for (std::size_t i = running.size(); i-- > 0;)
            if (running[i]->transfer->overdue())
                finish(i, CURLE_ABORTED_BY_CALLBACK);
        for (std::size_t i = robotsReads_.size(); i-- > 0;)
            if (robotsReads_[i]->transfer->overdue())
                robotsDone(robotsReads_[i]->transfer->handle(), CURLE_ABORTED_BY_CALLBACK);
        // A finished transfer frees a connection: start the next page before waiting.
        if (ended.empty())
            curl_multi_poll(multi_, nullptr, 0, kPollMs, nullptr);
    }
    abandonAll(running);
}

} // namespace trov
