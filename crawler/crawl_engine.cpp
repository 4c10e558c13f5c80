#include "crawler/crawl_engine.h"

#include "common/atomic_file.h"
#include "common/text.h"
#include "crawler/link_rules.h"
#include "crawler/links_checks.h"
#include "crawler/page_text.h"
#include "crawler/results.h"

#include <algorithm>
#include <thread>
#include <unordered_map>

namespace trov {

namespace {

std::string found(std::size_t count) {
    return "Found " + std::to_string(count) + " items";
}

std::string processed(std::size_t done, std::size_t count) {
    return "Processed " + std::to_string(done) + " of " + std::to_string(count) + " items";
}

// The source of a fetched page as the list and site crawls keep it.
std::string withoutBraces(const std::string& body) {
    return RemoveEnclosed(RemoveEnclosed(body, '{', '}'), '[', ']');
}

} // namespace

std::string progressCaption(CrawlMode mode) {
    switch (mode) {
    case CrawlMode::StartFastCrawl:
        return "Crawl main page subpages";
    case CrawlMode::StartSlowCrawl:
        return "Crawl all internal pages";
    case CrawlMode::AllLinks:
        return "Extract all links from a website";
    case CrawlMode::interLinks:
        return "Extract internal links from a website";
    case CrawlMode::CrawlCSV:
        return "Crawl from a file";
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
    list_.clear();
}

void CrawlEngine::resetAllSearches() {
    listReady_ = true;
    cancelRequested_.store(true);
    stopRequested_.store(true);
    std::lock_guard lock(runMutex_);
    root_.clear();
    list_.count = 0;
    list_.clear();
}

void CrawlEngine::checkCancel() {
    if (cancelRequested_.load())
        stopRequested_.store(true);
}

void CrawlEngine::run(CrawlMode mode, const CrawlInputs& inputs) {
    std::lock_guard lock(runMutex_);
    outcome_ = CrawlOutcome::None;
    source_.beginCrawl(cancelRequested_);
    try {
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
    } catch (...) {
        source_.endCrawl();
        progress_.panelShown(false);
        throw;
    }
    source_.endCrawl();
    if (cancelRequested_.load() && outcome_ != CrawlOutcome::Refused)
        outcome_ = CrawlOutcome::Cancelled;
}

void CrawlEngine::CrawlerPanelParams(CrawlMode mode, const std::string& site) {
    progress_.modeCaption({});
    progress_.barShown(false);
    progress_.counterText(found(0));
    progress_.barPosition(0);
    progress_.addressShown(true);
    progress_.panelShown(true);
    progress_.currentAddress(site + "...   ");
    progress_.modeCaption(progressCaption(mode));
}

void CrawlEngine::CrawlerGO(const CrawlInputs& inputs) {
    CrawlerPanelParams(CrawlMode::StartFastCrawl, inputs.site);
    progress_.barShown(true);
    search_ = SearchInputs::from(inputs);
    const std::string start = StartAddressOf(inputs.site);
    const std::string base = SiteBaseOf(start);

    const std::string body = source_.FetchPage(start);
    list_.setAddress(0, start);
    std::string source = RemoveEnclosed(body, '{', '}');
    list_.setText(0, StripTags(source));
    list_.setSource(0, std::move(source));
    list_.count = 1;

    std::vector<std::string> links;
    const long n = ExtractLinks(body, "A", "HREF", links);
    progress_.barMaximum(n);
    for (long i = 0; i < n && !stopRequested_.load(); ++i) {
        const auto accepted =
            AcceptSubpageLink(links[static_cast<std::size_t>(i)], start, base, list_);
        // Links found once the table is full are dropped.
        if (accepted && list_.count < kLinkListSize) {
            const std::size_t at = list_.count;
            list_.setAddress(at, *accepted);
            list_.setVisited(at, false);
            std::string page = RemoveEnclosed(source_.FetchPage(*accepted), '{', '}');
            list_.setText(at, StripTags(page));
            list_.setSource(at, std::move(page));
            progress_.currentAddress(*accepted);
            progress_.barPosition(std::min(i + 2, n));
            ++list_.count;
        }
        progress_.counterText(found(list_.count));
        checkCancel();
    }
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
    list_.count = 0;
    cursor_ = 1;

    if (!cancelRequested_.load())
        SpiderUPGRADE(start_);

    // Pages are expanded in the order they were found: the next one is always the first
    // unvisited entry, which the cursor finds without rescanning from the top.
    const std::string lowerRoot = text::toLower(root_);
    std::size_t k = 0;
    for (;;) {
        if (!list_[k].visited) {
            const std::string address = list_[k].address;
            if (address.empty()) {
                stopRequested_.store(true);
            } else {
                const bool qualifies =
                    mode == CrawlMode::AllLinks
                        ? text::toLower(address).find(lowerRoot) != std::string::npos &&
                              IsCrawlable(address)
                        : IsCrawlable(address);
                if (qualifies) {
                    try {
                        SpiderUPGRADE(address);
                    } catch (const std::exception&) {
                        // A page that fails to expand is passed over.
                    }
                }
            }
            list_.setVisited(k, true);
            k = 0;
            if (expandPause_.count() > 0)
                std::this_thread::sleep_for(expandPause_);
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

    progress_.barMaximum(static_cast<long>(list_.count));
    progress_.barShown(true);

    if (mode == CrawlMode::StartSlowCrawl && !stopRequested_.load()) {
        for (std::size_t e = 0; e < list_.count && !stopRequested_.load(); ++e) {
            const std::string address = list_[e].address;
            if (address != kNil) {
                std::string page = withoutBraces(source_.FetchPage(address));
                list_.setText(e, StripTags(page));
                list_.setSource(e, std::move(page));
                progress_.barPosition(static_cast<long>(e));
                progress_.currentAddress(address);
            }
            progress_.counterText(processed(e + 1, list_.count));
            checkCancel();
        }
    }

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

void CrawlEngine::SpiderUPGRADE(const std::string& page) {
    const std::string body = source_.FetchPage(page);
    std::vector<std::string> links;
    const long n = ExtractLinks(body, "A", "HREF", links);
    progress_.barMaximum(n - n / 10);
    for (long i = 0; i < n && !stopRequested_.load(); ++i) {
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
        // The loaded addresses are entries 1 to count; entry 0 stays empty.
        for (std::size_t e = 1; e <= count && e < list_.size() && !stopRequested_.load(); ++e) {
            const std::string address = list_[e].address;
            if (address != kNil) {
                const bool inSite = text::toLower(address).find(root) != std::string::npos;
                std::string page =
                    withoutBraces(inSite ? source_.FetchPage(address) : std::string(kNil));
                list_.setText(e, StripTags(page));
                list_.setSource(e, std::move(page));
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
    const std::string page = WriteHTML(list_, search_, inputs.site);
    progress_.addressShown(false);
    FileError error;
    if (!writeFileAtomically(resultPage_, page, &error))
        throw std::runtime_error("Unable to write to " + resultPage_);
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
