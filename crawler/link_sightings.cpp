// SPDX-License-Identifier: GPL-3.0-or-later
#include "crawler/link_sightings.h"

#include "common/text.h"
#include "crawler/link_list.h"
#include "crawler/link_rules.h"
#include "crawler/results.h"

namespace trov {

namespace {

std::string keyOf(std::string_view address) {
    return text::toLower(TrimTrailingSpaces(address));
}

} // namespace

void LinkSightings::begin(std::string start, CrawlMode mode) {
    clear();
    watching_ = mode == CrawlMode::AllLinks || mode == CrawlMode::interLinks;
    start_ = std::move(start);
    mode_ = mode;
}

void LinkSightings::clear() {
    watching_ = false;
    pages_.clear();
    seen_.clear();
}

void LinkSightings::saw(std::string_view link, const std::string& page, bool tableFull) {
    if (!watching_)
        return;
    // The address the link would be listed as, were it not listed already.
    static const LinkList kNothingStored;
    const auto address = AcceptSiteLink(link, start_, mode_, kNothingStored);
    if (!address || *address == kNil)
        return;
    const std::string key = keyOf(*address);
    if (const auto it = seen_.find(key); it != seen_.end()) {
        ++it->second.times;
        return;
    }
    if (tableFull)
        return;
    if (pages_.empty() || pages_.back() != page)
        pages_.push_back(page);
    seen_.emplace(key, Seen{static_cast<std::uint32_t>(pages_.size() - 1), 1});
}

LinkSighting LinkSightings::of(std::string_view listedAddress) const {
    const auto it = seen_.find(keyOf(listedAddress));
    if (it == seen_.end())
        return {};
    return {pages_[it->second.page], it->second.times};
}

std::vector<ListedLink> listedLinks(const LinkList& list, const LinkSightings& sightings) {
    std::vector<ListedLink> links;
    for (std::string& address : sortedLinks(list)) {
        LinkSighting seen = sightings.of(address);
        links.push_back({std::move(address), std::move(seen.foundOn), seen.times});
    }
    return links;
}

} // namespace trov
