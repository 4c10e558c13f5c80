// SPDX-License-Identifier: GPL-3.0-or-later
#include "crawler/link_check.h"

#include "common/text.h"
#include "crawler/address_origin.h"
#include "crawler/curl_page_source.h"
#include "crawler/link_rules.h"
#include "crawler/robots_policy.h"

#include <algorithm>
#include <deque>
#include <memory>
#include <unordered_map>

namespace trov {

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// How long the driver waits on its sockets before it looks at the cancel flag, the stall
// limits and the hosts whose pause has ended.
constexpr auto kPoll = 50ms;

// The address to request for a listed one: as a browser reads an href, without the blanks
// around it and with blanks, control and non-ASCII bytes after the host percent-encoded.
std::string requestAddressOf(std::string_view listed) {
    const std::string_view trimmed = text::trim(listed);
    const std::size_t scheme = trimmed.find("://");
    const std::size_t host = scheme == std::string_view::npos ? 0 : scheme + 3;
    const std::size_t rest = std::min(trimmed.find_first_of("/?#", host), trimmed.size());
    std::string out(trimmed.substr(0, rest));
    for (const char c : trimmed.substr(rest)) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u >= 0x7f) {
            constexpr char kHex[] = "0123456789ABCDEF";
            out += '%';
            out += kHex[u >> 4];
            out += kHex[u & 15];
        } else {
            out += c;
        }
    }
    return out;
}

// robots.txt files the check read on its own multi handle, handed to the policy when it
// asks; a file asked for again (dropped from the policy's memory) is read on the spot.
class HeldRobotsSource : public RobotsSource {
public:
    void hold(const std::string& origin, RobotsFile file) { files_[origin] = std::move(file); }
    RobotsFile read(const std::string& origin, const std::atomic<bool>* abort) override {
        const auto it = files_.find(origin);
        if (it == files_.end())
            return fallback_.read(origin, abort);
        RobotsFile file = std::move(it->second);
        files_.erase(it);
        return file;
    }

private:
    std::unordered_map<std::string, RobotsFile> files_;
    CurlRobotsSource fallback_;
};

// One listed address on its way through HEAD, GET, redirects and retries.
struct Probe {
    std::size_t row = 0;
    std::string target;             // the address to request next
    std::vector<std::string> chain; // the addresses that redirected, in order
    bool get = false;               // HEAD was refused or failed: GET from now on
    int retries = 0;                // of this address after 429 or 503
};

struct Origin {
    explicit Origin(std::string n) : name(std::move(n)) {}
    std::string name;
    enum class Robots { Unknown, Reading, Known } robots = Robots::Unknown;
    LinkError unreachable = LinkError::None; // robots.txt had no answer: this is why
    std::deque<Probe> waiting;
};

struct Running {
    Origin* origin = nullptr;
    std::optional<Probe> probe; // none: the origin's robots.txt
    std::unique_ptr<EasyTransfer> transfer;
};

struct MultiDeleter {
    void operator()(CURLM* h) const { curl_multi_cleanup(h); }
};

// The failure of a finished transfer; None when an answer came.
LinkError failureOf(CURLcode code, const TransferResult& result) {
    using Outcome = TransferResult::Outcome;
    if (result.outcome == Outcome::Done || result.outcome == Outcome::PartialBody)
        return LinkError::None;
    if (result.outcome == Outcome::Stalled)
        return LinkError::Timeout;
    return code == CURLE_OK ? LinkError::Refused : linkErrorOf(code);
}

std::string headerOf(CURL* handle, const char* name) {
    curl_header* header = nullptr;
    if (curl_easy_header(handle, name, 0, CURLH_HEADER, -1, &header) != CURLHE_OK || !header)
        return {};
    return header->value;
}

// One run of the check.
class CheckRun {
public:
    CheckRun(const LinkCheckOptions& options, const PacerClock& clock,
             const std::atomic<bool>& cancel, CrawlProgress& progress, std::size_t& requests)
        : options_(options), pacer_(clock, options.pacer),
          policy_(robots_, std::string(kRobotsProductToken), &cancel), cancel_(cancel),
          progress_(progress), requests_(requests) {
        probeOptions_ = options.transfer;
        probeOptions_.statusOnly = true;
        probeOptions_.freshConnection = false;
        robotsOptions_ = robotsFetchOptions();
        robotsOptions_.agent = options.transfer.agent;
        robotsOptions_.freshConnection = false;
    }
    ~CheckRun() {
        for (const auto& r : running_)
            curl_multi_remove_handle(multi_.get(), r->transfer->handle());
    }

    std::optional<LinkReport> run(const std::vector<ListedLink>& links, const std::string& site);

private:
    Origin& originOf(const std::string& name);
    void enqueue(Probe probe);
    void startWhatMay();
    bool settledByRobots(Origin& origin, const Probe& probe);
    void start(Origin& origin, std::optional<Probe> probe);
    void finished(std::unique_ptr<Running> running, CURLcode code);
    void robotsRead(Origin& origin, CURLcode code, TransferResult result);
    void answered(Origin& origin, Probe probe, EasyTransfer& transfer, CURLcode code);
    void settle(const Probe& probe, long status, LinkError error, const std::string& at);
    std::chrono::milliseconds pause() const;

    const LinkCheckOptions& options_;
    TransferOptions probeOptions_, robotsOptions_;
    HostPacer pacer_;
    HeldRobotsSource robots_;
    RobotsPolicy policy_;
    const std::atomic<bool>& cancel_;
    CrawlProgress& progress_;
    std::size_t& requests_;

    std::unique_ptr<CURLM, MultiDeleter> multi_{curl_multi_init()};
    std::unordered_map<std::string, std::unique_ptr<Origin>> origins_;
    std::vector<Origin*> order_; // as met, for turns
    std::size_t turn_ = 0;
    std::vector<std::unique_ptr<Running>> running_;
    LinkReport report_;
    std::size_t settled_ = 0;
};

Origin& CheckRun::originOf(const std::string& name) {
    auto& slot = origins_[name];
    if (!slot) {
        slot = std::make_unique<Origin>(name);
        order_.push_back(slot.get());
    }
    return *slot;
}

void CheckRun::enqueue(Probe probe) {
    const auto split = splitOrigin(probe.target);
    if (!split) {
        settle(probe, 0, linkErrorOf(CURLE_URL_MALFORMAT), probe.target);
        return;
    }
    originOf(split->origin).waiting.push_back(std::move(probe));
}

std::optional<LinkReport> CheckRun::run(const std::vector<ListedLink>& links,
                                        const std::string& site) {
    if (!multi_)
        throw FetchInitError();
    if (const auto own = splitOrigin(StartAddressOf(site)))
        pacer_.setConnections(own->origin, options_.siteConnections);
    progress_.panelShown(true);
    progress_.modeCaption("Check links");
    progress_.barMaximum(static_cast<long>(links.size()));
    progress_.barShown(true);
    progress_.counterText(checkedCounter(0, links.size()));
    report_.reserve(links.size());
    for (const ListedLink& link : links)
        report_.push_back(
            {link.address, 0, LinkError::None, link.address, link.foundOn, link.timesFound});
    for (std::size_t i = 0; i < links.size(); ++i)
        enqueue({.row = i, .target = requestAddressOf(links[i].address), .chain = {}});

    while (settled_ < report_.size()) {
        if (cancel_.load())
            break;
        startWhatMay();
        int active = 0;
        curl_multi_perform(multi_.get(), &active);
        // A message does not outlive the removal of its handle: collect them first.
        std::vector<std::pair<CURL*, CURLcode>> ended;
        int queued = 0;
        while (CURLMsg* msg = curl_multi_info_read(multi_.get(), &queued))
            if (msg->msg == CURLMSG_DONE)
                ended.emplace_back(msg->easy_handle, msg->data.result);
        const auto take = [&](std::size_t i) {
            std::unique_ptr<Running> r = std::move(running_[i]);
            running_.erase(running_.begin() + static_cast<std::ptrdiff_t>(i));
            curl_multi_remove_handle(multi_.get(), r->transfer->handle());
            return r;
        };
        for (const auto& [handle, code] : ended) {
            const auto it = std::find_if(running_.begin(), running_.end(), [h = handle](auto& r) {
                return r->transfer->handle() == h;
            });
            if (it != running_.end())
                finished(take(static_cast<std::size_t>(it - running_.begin())), code);
        }
        for (std::size_t i = running_.size(); i-- > 0;)
            if (running_[i]->transfer->overdue())
                finished(take(i), CURLE_ABORTED_BY_CALLBACK);
        if (ended.empty())
            curl_multi_poll(multi_.get(), nullptr, 0, static_cast<int>(pause().count()), nullptr);
    }
    progress_.panelShown(false);
    if (cancel_.load())
        return std::nullopt;
    return std::move(report_);
}

void CheckRun::startWhatMay() {
    for (std::size_t k = 0; k < order_.size() && running_.size() < options_.concurrency; ++k) {
        Origin& origin = *order_[(turn_ + k) % order_.size()];
        while (!origin.waiting.empty() && running_.size() < options_.concurrency) {
            if (options_.respectRobots && origin.robots != Origin::Robots::Known) {
                if (origin.robots == Origin::Robots::Unknown && pacer_.tryStart(origin.name))
                    start(origin, std::nullopt);
                break;
            }
            if (settledByRobots(origin, origin.waiting.front())) {
                origin.waiting.pop_front();
                continue;
            }
            if (!pacer_.tryStart(origin.name))
                break;
            Probe probe = std::move(origin.waiting.front());
            origin.waiting.pop_front();
            start(origin, std::move(probe));
        }
    }
    ++turn_; // the next round starts at another host
}

bool CheckRun::settledByRobots(Origin& origin, const Probe& probe) {
    if (!options_.respectRobots)
        return false;
    const RobotsCheck check = policy_.check(probe.target);
    if (check.allowed())
        return false;
    // A host that never answered for its robots.txt is as broken for its links.
    const bool silent =
        check.host && check.host->unreadable() && origin.unreachable != LinkError::None;
    settle(probe, 0, silent ? origin.unreachable : LinkError::Robots, probe.target);
    return true;
}

void CheckRun::start(Origin& origin, std::optional<Probe> probe) {
    auto running = std::make_unique<Running>();
    running->origin = &origin;
    if (probe) {
        running->transfer = std::make_unique<EasyTransfer>(probe->target, probeOptions_, &cancel_);
        curl_easy_setopt(running->transfer->handle(), CURLOPT_FOLLOWLOCATION, 0L);
        if (!probe->get)
            curl_easy_setopt(running->transfer->handle(), CURLOPT_NOBODY, 1L);
        running->probe = std::move(probe);
    } else {
        running->transfer =
            std::make_unique<EasyTransfer>(origin.name + "/robots.txt", robotsOptions_, &cancel_);
        origin.robots = Origin::Robots::Reading;
    }
    curl_multi_add_handle(multi_.get(), running->transfer->handle());
    running_.push_back(std::move(running));
    ++requests_;
}

void CheckRun::finished(std::unique_ptr<Running> running, CURLcode code) {
    Origin& origin = *running->origin;
    if (!running->probe) {
        pacer_.finish(origin.name);
        robotsRead(origin, code, running->transfer->finish(code));
        return;
    }
    answered(origin, std::move(*running->probe), *running->transfer, code);
}

void CheckRun::robotsRead(Origin& origin, CURLcode code, TransferResult result) {
    const LinkError failure = failureOf(code, result);
    if (failure != LinkError::None && result.status == 0)
        origin.unreachable = failure;
    robots_.hold(origin.name, robotsFileOf(std::move(result)));
    pacer_.setCrawlDelay(origin.name, policy_.check(origin.name + "/robots.txt").crawlDelay());
    origin.robots = Origin::Robots::Known;
}

void CheckRun::answered(Origin& origin, Probe probe, EasyTransfer& transfer, CURLcode code) {
    const TransferResult result = transfer.finish(code);
    const LinkError failure = failureOf(code, result);
    const long status = failure == LinkError::None ? result.status : 0;
    if (pacer_.finish(origin.name, status, headerOf(transfer.handle(), "Retry-After"),
                      probe.retries)) {
        ++probe.retries; // asked again once the host's pause is over
        origin.waiting.push_front(std::move(probe));
        return;
    }
    // No GET can reach a host whose name is unknown or that takes no connection.
    const bool getMayHelp =
        failure != LinkError::None && failure != LinkError::Dns && failure != LinkError::Refused;
    if (!probe.get && (status == 405 || status == 501 || getMayHelp)) {
        probe.get = true;
        origin.waiting.push_front(std::move(probe));
        return;
    }
    if (failure != LinkError::None) {
        settle(probe, 0, failure, probe.target);
        return;
    }
    char* location = nullptr;
    if (status >= 300 && status < 400 &&
        curl_easy_getinfo(transfer.handle(), CURLINFO_REDIRECT_URL, &location) == CURLE_OK &&
        location && splitOrigin(location)) {
        // A redirect elsewhere than http or https is not followed: its code is the answer.
        const std::string next = location;
        probe.chain.push_back(probe.target);
        if (probe.chain.size() > options_.maxRedirects ||
            std::find(probe.chain.begin(), probe.chain.end(), next) != probe.chain.end()) {
            settle(probe, 0, LinkError::RedirectLoop, probe.target);
            return;
        }
        probe.target = next;
        probe.retries = 0;
        enqueue(std::move(probe));
        return;
    }
    settle(probe, status, LinkError::None, probe.target);
}

void CheckRun::settle(const Probe& probe, long status, LinkError error, const std::string& at) {
    LinkCheckRow& row = report_[probe.row];
    row.status = status;
    row.error = error;
    if (!probe.chain.empty())
        row.finalAddress = at;
    ++settled_;
    progress_.barPosition(static_cast<long>(settled_));
    progress_.counterText(checkedCounter(settled_, report_.size()));
    progress_.currentAddress(row.address);
}

std::chrono::milliseconds CheckRun::pause() const {
    // Until the first host that waits for its pacer may be asked again, at most one poll.
    auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(kPoll);
    const auto now = Clock::now();
    for (const Origin* origin : order_) {
        if (origin->waiting.empty())
            continue;
        const auto next = pacer_.nextStart(origin->name);
        if (next > now)
            wait = std::min(wait, std::chrono::ceil<std::chrono::milliseconds>(next - now));
    }
    return wait;
}

} // namespace

LinkCheckOptions linkCheckOptions() {
    LinkCheckOptions options;
    options.transfer = pageFetchOptions();
    return options;
}

LinkChecker::LinkChecker(LinkCheckOptions options) : options_(std::move(options)) {}

std::optional<LinkReport> LinkChecker::run(const std::vector<ListedLink>& links,
                                           const std::string& site, const std::atomic<bool>& cancel,
                                           CrawlProgress& progress) {
    initialiseCurl();
    requests_ = 0;
    CheckRun run(options_, clock_, cancel, progress, requests_);
    return run.run(links, site);
}

std::string checkedCounter(std::size_t done, std::size_t total) {
    return "Checked " + std::to_string(done) + " of " + std::to_string(total) + " links";
}

} // namespace trov
