// SPDX-License-Identifier: GPL-3.0-or-later
#include "crawler/crawl_engine.h"

#include "common/atomic_file.h"
#include "common/text.h"
#include "common/translatable.h"
#include "crawler/link_rules.h"
#include "crawler/links_checks.h"
#include "crawler/page_text.h"
#include "crawler/results.h"

#include <algorithm>
#include <unordered_map>

namespace trov {

namespace {

std::string found(std::size_t count) {
    return formatText(kFoundItems, {std::to_string(count)});
}

std::string processed(std::size_t done, std::size_t count) {
    return formatText(kProcessedItems, {std::to_string(done), std::to_string(count)});
}

} // namespace

std::string progressCaption(CrawlMode mode) {
    switch (mode) {
    case CrawlMode::StartFastCrawl:
        return TROV_TEXT("Core", "Crawl main page subpages");
    case CrawlMode::StartSlowCrawl:
        return TROV_TEXT("Core", "Crawl all internal pages");
    case CrawlMode::AllLinks:
        return TROV_TEXT("Core", "Extract all links from a website");
    case CrawlMode::interLinks:
        return TROV_TEXT("Core", "Extract internal links from a website");
    case CrawlMode::CrawlCSV:
        return TROV_TEXT("Core", "Crawl from a file");
    }
    return {};
}

CrawlEngine::CrawlEngine(PageSource& source, std::string resultPage, Messages& messages,
                         CrawlProgress& progress)
    : source_(source), resultPage_(std::move(resultPage)), messages_(messages),
      progress_(progress) {}

void CrawlEngine::requestCancel() {
    cancelRequested_.store(true);
}

void CrawlEngine::resetFlags() {
    stopRequested_.store(false);
    cancelRequested_.store(false);
}

void CrawlEngine::clearLinkList() {
    std::lock_guard lock(runMutex_);
    std::lock_guard listLock(listMutex_);
    list_.clear();
    sightings_.clear();
}

void CrawlEngine::resetAllSearches() {
    listReady_ = true;
    cancelRequested_.store(true);
    stopRequested_.store(true);
    std::lock_guard lock(runMutex_);
    std::lock_guard listLock(listMutex_);
    root_.clear();
    list_.count = 0;
    list_.clear();
    sightings_.clear();
}

void CrawlEngine::checkCancel() {
    if (cancelRequested_.load())
        stopRequested_.store(true);
}

template <typename Work> auto CrawlEngine::tableFree(Work&& work) {
    const bool held = listLock_.owns_lock();
    if (held)
        listLock_.unlock();
    // Taken again however the work ends, an error included.
    struct Retake {
        std::unique_lock<std::mutex>& lock;
        bool held;
        ~Retake() {
            if (held)
                lock.lock();
        }
    } retake{listLock_, held};
    return work();
}

CrawlEngine::TakenPage CrawlEngine::take(const std::string& address, PageUse use) {
    return tableFree([&] { return digest(source_.FetchPage(address), use); });
}

CrawlEngine::TakenPage CrawlEngine::digest(std::string source, PageUse use) {
    // The page is worked on in place: its links from the page as it came, then its marked
    // spans removed, its title taken and its text made over the same bytes.
    TakenPage page;
    if (use.links)
        ExtractLinks(source, "A", "HREF", page.links, &cancelRequested_);
    if (use.keep) {
        source = RemoveEnclosed(std::move(source), '{', '}', &cancelRequested_);
        if (use.squareSpans)
            source = RemoveEnclosed(std::move(source), '[', ']', &cancelRequested_);
        const std::string title = PageTitle(source);
        page.kept = list_.keep(title, StripTags(std::move(source), &cancelRequested_));
    }
    return page;
}

void CrawlEngine::run(CrawlMode mode, const CrawlInputs& inputs) {
    std::lock_guard lock(runMutex_);
    listLock_.lock();
    // However the crawl ends, an error at its very start included, the table is free for
    // readers again and the source's part is over.
    struct End {
        CrawlEngine& e;
        ~End() {
            if (e.listLock_.owns_lock())
                e.listLock_.unlock();
            e.source_.endCrawl();
        }
    } end{*this};
    outcome_ = CrawlOutcome::None;
    sightings_.clear();
    try {
        // Made before the first fetch, so its making never falls between two fetches and
        // holds up the pages fetched ahead.
        list_.makeTable();
        source_.setRespectRobots(inputs.respectRobots);
        source_.beginCrawl(cancelRequested_);
        switch (mode) {
        case CrawlMode::StartFastCrawl:
            CrawlerGO(inputs);
            break;
        case CrawlMode::StartSlowCrawl:
        case CrawlMode::AllLinks:
        case CrawlMode::interLinks:
            SpiderGo(mode, inputs);
            break;
        case CrawlMode::CrawlCSV:
            SpiderCSV(inputs);
            break;
        }
        reportRobots();
    } catch (...) {
        progress_.panelShown(false);
        throw;
    }
    if (cancelRequested_.load() && outcome_ != CrawlOutcome::Refused)
        outcome_ = CrawlOutcome::Cancelled;
}

void CrawlEngine::CrawlerPanelParams(CrawlMode mode, const std::string& site) {
    progress_.modeCaption({});
    progress_.barShown(false);
    progress_.placeAddress(8, 21, 425);
    progress_.counterText(found(0));
    progress_.barPosition(0);
    progress_.addressShown(true);
    progress_.panelShown(true);
    progress_.currentAddress(site + "...   ");
    progress_.modeCaption(progressCaption(mode));
}

CrawlEngine::SubpagePlan CrawlEngine::planSubpages(const std::vector<std::string>& links,
                                                   const std::string& start,
                                                   const std::string& base) {
    // Whether a link is taken depends only on the addresses taken before it, never on a
    // fetched page, so the loop's choices are made up front and announced to the source in
    // the order the loop fetches them. Each choice is stored where the loop would store it.
    SubpagePlan plan;
    plan.first = list_.count;
    plan.accepted.resize(links.size());
    std::size_t at = plan.first;
    for (std::size_t i = 0; i < links.size(); ++i) {
        // A page of millions of links is planned no further once the crawl is cancelled.
        if ((i & 1023) == 0 && cancelRequested_.load())
            break;
        auto accepted = AcceptSubpageLink(links[i], start, base, list_);
        // Links found once the table is full are dropped.
        if (!accepted || at >= kLinkListSize)
            continue;
        plan.displaced.push_back(list_[at].address);
        list_.setAddress(at++, *accepted);
        source_.expect(*accepted);
        plan.accepted[i] = std::move(accepted);
    }
    return plan;
}

void CrawlEngine::CrawlerGO(const CrawlInputs& inputs) {
    CrawlerPanelParams(CrawlMode::StartFastCrawl, inputs.site);
    progress_.placeAddress(8, 21, 370);
    progress_.barShown(true);
    search_ = SearchInputs::from(inputs);
    const std::string start = StartAddressOf(inputs.site);
    const std::string base = SiteBaseOf(start);

    const TakenPage home = take(start, {.links = true});
    list_.setAddress(0, start);
    list_.setPage(0, home.kept);
    list_.count = 1;

    const std::vector<std::string>& links = home.links;
    const long n = static_cast<long>(links.size());
    progress_.barMaximum(n);
    const SubpagePlan plan = planSubpages(links, start, base);
    // Entries planned but not reached (a stop or an error) get back what they held; the
    // one being fetched when an error came keeps its address, as it always has.
    const auto restore = [&](std::size_t from) {
        for (std::size_t at = from; at < plan.first + plan.displaced.size(); ++at)
            list_.setAddress(at, plan.displaced[at - plan.first]);
    };
    try {
        for (long i = 0; i < n && !stopRequested_.load(); ++i) {
            const auto& accepted = plan.accepted[static_cast<std::size_t>(i)];
            if (accepted) {
                const std::size_t at = list_.count;
                list_.setVisited(at, false);
                list_.setPage(at, take(*accepted, {}).kept);
                progress_.currentAddress(*accepted);
                progress_.barPosition(std::min(i + 2, n));
                ++list_.count;
            }
            progress_.counterText(found(list_.count));
            checkCancel();
        }
    } catch (...) {
        restore(list_.count + 1);
        throw;
    }
    restore(list_.count);
    // A start page without links still reads "Found 1 items".
    progress_.counterText(found(list_.count));
    list_.searchRange = list_.count;
    list_.lastIndex = static_cast<long>(list_.count) - 1;

    progress_.modeCaption({});
    progress_.panelShown(false);
    if (!cancelRequested_.load())
        writeResultPage(inputs);
}

void CrawlEngine::SpiderGo(CrawlMode mode, const CrawlInputs& inputs) {
    CrawlerPanelParams(mode, inputs.site);
    search_ = SearchInputs::from(inputs);
    mode_ = mode;
    start_ = StartAddressOf(inputs.site);
    list_.setAddress(0, start_);
    root_ = start_;
    host_ = text::toLower(HostOf(start_));
    lowerRoot_ = text::toLower(root_);
    sightings_.begin(start_, mode);
    expanded_.clear();
    list_.count = 0;
    cursor_ = 1;

    if (!cancelRequested_.load())
        SpiderUPGRADE(start_);
    if (inputs.useSitemap && !cancelRequested_.load())
        takeSitemaps();

    // Pages are expanded in the order they were found: the next one is always the first
    // unvisited entry, which the cursor finds without rescanning from the top.
    std::size_t k = 0;
    for (;;) {
        if (!list_[k].visited) {
            const std::string address = list_[k].address;
            if (address.empty()) {
                stopRequested_.store(true);
            } else {
                if (qualifies(address)) {
                    try {
                        SpiderUPGRADE(address);
                    } catch (const std::exception&) {
                        // A page that fails to expand is passed over.
                    }
                }
            }
            list_.setVisited(k, true);
            k = 0;
            checkCancel();
        }
        ++k;
        if (k >= list_.count || stopRequested_.load() || k >= kCrawlLimit ||
            list_.count >= kCrawlLimit)
            break;
        k = nextUnvisited(k);
        if (k >= list_.count || k >= kCrawlLimit)
            break;
    }

    if (list_.count != 0) {
        duplicatePass();
        cleanUpPass();
    }

    progress_.placeAddress(8, 19, 370);
    progress_.barMaximum(static_cast<long>(list_.count));
    progress_.barShown(true);

    source_.forgetExpected();
    if (mode == CrawlMode::StartSlowCrawl && !stopRequested_.load()) {
        for (std::size_t e = 0; e < list_.count; ++e)
            if (list_[e].address != kNil && !expanded_.contains(list_[e].address))
                source_.expect(list_[e].address);
        for (std::size_t e = 0; e < list_.count && !stopRequested_.load(); ++e) {
            const std::string address = list_[e].address;
            if (address != kNil) {
                list_.setPage(e, takeExpanded(address));
                progress_.barPosition(static_cast<long>(e));
                progress_.currentAddress(address);
            }
            progress_.counterText(processed(e + 1, list_.count));
            checkCancel();
        }
    }

    expanded_.clear();
    progress_.panelShown(false);
    // A cancelled crawl shows nothing, not even that it found nothing.
    if (list_.count == 0 && !cancelRequested_.load()) {
        messages_.show(MessageIcon::Information, std::string(kNoLinksFound));
        outcome_ = CrawlOutcome::NoLinksFound;
    } else if (!cancelRequested_.load()) {
        if (mode == CrawlMode::StartSlowCrawl)
            writeResultPage(inputs);
        else
            showLinks(inputs);
    }
    progress_.modeCaption({});
}

std::size_t CrawlEngine::nextUnvisited(std::size_t from) {
    // Entries only turn visited, and new ones are added at the end, so every entry from 1
    // up to the cursor stays visited.
    std::size_t j = std::max(from, cursor_);
    while (j < list_.count && list_[j].visited)
        ++j;
    if (from <= cursor_)
        cursor_ = j;
    return j;
}

bool CrawlEngine::qualifies(const std::string& address) const {
    if (mode_ == CrawlMode::AllLinks)
        return text::toLower(address).find(lowerRoot_) != std::string::npos && IsCrawlable(address);
    return IsCrawlable(address);
}

KeptPage CrawlEngine::takeExpanded(const std::string& address) {
    const auto it = expanded_.find(address);
    if (it == expanded_.end())
        return take(address, {.squareSpans = true}).kept;
    const KeptPage page = it->second;
    expanded_.erase(it);
    return page;
}

void CrawlEngine::SpiderUPGRADE(const std::string& page) {
    // The fetch phase of "Crawl all internal pages" takes what it keeps of the page from
    // the expansion rather than asking the server for it again.
    const bool keep = mode_ == CrawlMode::StartSlowCrawl && !expanded_.contains(page);
    const TakenPage taken = take(page, {.links = true, .keep = keep, .squareSpans = true});
    if (keep)
        expanded_.emplace(page, taken.kept);
    const std::size_t before = list_.count;
    const std::vector<std::string>& links = taken.links;
    const long n = static_cast<long>(links.size());
    progress_.barMaximum(n - n / 10);
    for (long i = 0; i < n && !stopRequested_.load(); ++i) {
        sightings_.saw(links[static_cast<std::size_t>(i)], page, list_.count >= kLinkListSize);
        const auto accepted =
            AcceptSiteLink(links[static_cast<std::size_t>(i)], start_, mode_, list_);
        checkCancel();
        if (accepted && list_.count < kLinkListSize) {
            list_.setAddress(list_.count, *accepted);
            list_.setVisited(list_.count, false);
            progress_.currentAddress(*accepted);
            ++list_.count;
        }
        progress_.barMaximum(n);
        progress_.barPosition(i + 1);
        progress_.counterText(found(list_.count));
    }
    list_.lastIndex = static_cast<long>(list_.count) - 1;
    list_.searchRange = list_.count;
    // The expansion loop takes the new entries that qualify in the order they were stored,
    // unless it has reached its 20000 stop.
    for (std::size_t e = before; e < list_.count && e < kCrawlLimit && list_.count < kCrawlLimit;
         ++e)
        if (qualifies(list_[e].address))
            source_.expect(list_[e].address);
}

void CrawlEngine::takeSitemaps() {
    const std::vector<std::string> addresses =
        tableFree([&] { return source_.sitemapAddresses(start_, kLinkListSize); });
    const std::size_t before = list_.count;
    for (const std::string& address : addresses) {
        if (list_.count >= kLinkListSize)
            break;
        if (const auto accepted = AcceptSiteLink(address, start_, mode_, list_)) {
            list_.setAddress(list_.count, *accepted);
            list_.setVisited(list_.count, false);
            ++list_.count;
        }
    }
    progress_.counterText(found(list_.count));
    list_.lastIndex = static_cast<long>(list_.count) - 1;
    list_.searchRange = list_.count;
    for (std::size_t e = before; e < list_.count && e < kCrawlLimit; ++e)
        if (qualifies(list_[e].address))
            source_.expect(list_[e].address);
}

void CrawlEngine::reportRobots() {
    if (cancelRequested_.load())
        return;
    const RobotsTally tally = source_.robotsTally();
    for (const std::string& message : tally.unreadable)
        messages_.show(MessageIcon::Warning, message);
    if (tally.pagesKeptOut > 0)
        progress_.robotsKeptOut(tally.pagesKeptOut);
}

void CrawlEngine::duplicatePass() {
    // Entry i goes when a later entry, spaces removed, equals it without trailing spaces:
    // the last occurrence of an address survives.
    std::unordered_map<std::string, std::size_t> last;
    last.reserve(list_.count * 2);
    for (std::size_t j = 0; j < list_.count; ++j)
        last[RemoveSpaces(list_[j].address)] = j;
    for (std::size_t i = 0; i < list_.count; ++i) {
        const auto it = last.find(TrimTrailingSpaces(list_[i].address));
        if (it != last.end() && it->second > i)
            list_.remove(i);
    }
}

void CrawlEngine::cleanUpPass() {
    for (std::size_t e = 0; e < list_.count; ++e) {
        const std::string lower = text::toLower(list_[e].address);
        const std::string host = HostOf(lower);
        // The host is looked for without regard to case, as every other address test.
        if (lower.find("///") != std::string::npos || host.size() < 3 ||
            host.find('.') == std::string::npos ||
            (mode_ != CrawlMode::AllLinks && lower.find(host_) == std::string::npos))
            list_.remove(e);
    }
}

void CrawlEngine::SpiderCSV(const CrawlInputs& inputs) {
    search_ = SearchInputs::from(inputs);
    cancelRequested_.store(false);
    const bool nothingToSearch = inputs.words.empty() && inputs.exactPhrase.empty();
    if (nothingToSearch) {
        messages_.show(MessageIcon::Information, std::string(kNothingToSearch));
        progress_.panelShown(false);
        cancelRequested_.store(true);
        outcome_ = CrawlOutcome::Refused;
        return;
    }
    CrawlerPanelParams(CrawlMode::CrawlCSV, inputs.site);
    if (listReady_) {
        const std::size_t count = list_.count;
        progress_.barMaximum(static_cast<long>(count));
        progress_.barShown(true);
        const std::string root = text::toLower(text::trim(inputs.site));
        const std::size_t end = std::min(count + 1, list_.size());
        const auto inSite = [&](const std::string& address) {
            return text::toLower(address).find(root) != std::string::npos;
        };
        for (std::size_t e = 1; e < end; ++e)
            if (list_[e].address != kNil && inSite(list_[e].address))
                source_.expect(list_[e].address);
        // The loaded addresses are entries 1 to count; entry 0 stays empty.
        for (std::size_t e = 1; e <= count && e < list_.size() && !stopRequested_.load(); ++e) {
            const std::string address = list_[e].address;
            if (address != kNil) {
                const PageUse use{.squareSpans = true};
                list_.setPage(e, inSite(address) ? take(address, use).kept
                                                 : digest(std::string(kNil), use).kept);
                progress_.barPosition(static_cast<long>(e));
                progress_.currentAddress(address);
            }
            progress_.counterText(processed(e, count));
            checkCancel();
        }
        list_.searchRange = std::min(count + 1, list_.size());
        progress_.panelShown(false);
    }
    listReady_ = false;
    if (!cancelRequested_.load())
        writeResultPage(inputs);
}

void CrawlEngine::writeResultPage(const CrawlInputs& inputs) {
    progress_.panelShown(false);
    // The pages are searched and the result page written with the table free for readers:
    // they never read the matches, the only fields of the entries this writes.
    const std::string page = tableFree([&] { return WriteHTML(list_, search_, inputs.site); });
    progress_.addressShown(false);
    FileError error;
    if (!tableFree([&] { return writeFileAtomically(resultPage_, page, &error); }))
        throw std::runtime_error(formatText(kUnableToWrite, {resultPage_}));
    outcome_ = CrawlOutcome::ResultPage;
}

void CrawlEngine::showLinks(const CrawlInputs& inputs) {
    if (list_.count == 0)
        return;
    progress_.showLinks(linksCaption(mode_ == CrawlMode::AllLinks, inputs.site),
                        sortedLinks(list_));
    outcome_ = CrawlOutcome::LinksShown;
}

} // namespace trov
