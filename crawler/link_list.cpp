#include "crawler/link_list.h"

#include "common/text.h"

namespace trov {

LinkList::LinkList()
    : storage_(std::make_unique<std::array<PageRecord, kLinkListSize>>()), records_(*storage_) {}

void LinkList::setAddress(std::size_t i, std::string address) {
    std::string& current = records_[i].address;
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
    records_[i].source = kNil;
    records_[i].text = kNil;
}

bool LinkList::holds(std::string_view address) const {
    // An empty address is held by every unused entry, but no link ever resolves to it.
    if (address.empty())
        return true;
    return index_.contains(text::toLower(address));
}

void LinkList::clear() {
    // Fresh records, so a large page's memory goes with its text.
    for (PageRecord& r : records_)
        r = PageRecord{};
    index_.clear();
}

} // namespace trov
