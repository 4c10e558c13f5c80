// SPDX-License-Identifier: GPL-3.0-or-later
#include "crawler/link_list.h"

#include "common/text.h"

namespace trov {

const PageRecord LinkList::kFreshRecord{};

LinkList::LinkList() = default;

LinkList::Table& LinkList::table() {
    if (!records_)
        records_ = std::make_unique<Table>();
    return *records_;
}

void LinkList::setAddress(std::size_t i, std::string address) {
    std::string& current = table()[i].address;
    if (!current.empty()) {
        auto it = index_.find(text::toLower(current));
        if (it != index_.end() && --it->second == 0)
            index_.erase(it);
    }
    current = std::move(address);
    if (!current.empty())
        ++index_[text::toLower(current)];
}

void LinkList::remove(std::size_t i) {
    setAddress(i, std::string(kNil));
    table()[i].title.clear();
    table()[i].text = kNil;
}

bool LinkList::holds(std::string_view address) const {
    // An empty address is held by every unused entry, but no link ever resolves to it.
    if (address.empty())
        return true;
    return index_.contains(text::toLower(address));
}

void LinkList::clear() {
    // Fresh records, so a large page's memory goes with its text. A table not made yet
    // holds nothing to empty.
    if (!records_)
        return;
    for (PageRecord& r : *records_)
        r = PageRecord{};
    index_.clear();
}

} // namespace trov
