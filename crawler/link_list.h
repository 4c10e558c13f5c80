// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The crawler's fixed table of page records and its counters. The table never grows past
// its 20006 entries; a link found once it is full is dropped. Duplicate tests go through
// a case-folded index of every address held, so a crawl stays near-linear while giving
// the answers of a scan over the table. The table itself is made on the first write, so
// a program that never crawls never pays for its 20006 records.

#include "crawler/text_store.h"

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace trov {

inline constexpr std::size_t kLinkListSize = 20006;
inline constexpr std::size_t kCrawlLimit = 20000; // the site crawl stops expanding here
inline constexpr std::string_view kNil = "NIL";

// A page as the later steps read it: the search and the data export read its text, the
// result page its title. The page's source is dropped once its links and title are taken,
// and its title and text wait in the table's text store (a temporary file), so the memory
// of a crawl does not grow with the pages it fetched.
struct PageRecord {
    std::string address;
    bool visited = true; // false: still to be expanded
    StoredText title;
    StoredText text;
    std::string match;
};

// What the table keeps of a fetched page, already in its text store.
struct KeptPage {
    StoredText title;
    StoredText text;
};

class LinkList {
public:
    LinkList();

    // An entry of a table not made yet reads as a fresh record.
    const PageRecord& operator[](std::size_t i) const {
        return records_ ? (*records_)[i] : kFreshRecord;
    }
    std::size_t size() const { return kLinkListSize; }

    // An entry's title and text, read from the text store.
    std::string title(std::size_t i) const { return texts_->get((*this)[i].title); }
    std::string text(std::size_t i) const { return texts_->get((*this)[i].text); }

    // Field writers; the address goes through the index.
    void setAddress(std::size_t i, std::string address);
    void setVisited(std::size_t i, bool visited) { table()[i].visited = visited; }
    void setTitle(std::size_t i, std::string_view title) { table()[i].title = texts_->put(title); }
    void setText(std::size_t i, std::string_view text) { table()[i].text = texts_->put(text); }
    void setMatch(std::size_t i, std::string match) { table()[i].match = std::move(match); }
    // Puts a page's title and text into the text store, for setPage. It changes no entry,
    // so it may run while others read the table.
    KeptPage keep(std::string_view title, std::string_view text) {
        return {texts_->put(title), texts_->put(text)};
    }
    void setPage(std::size_t i, KeptPage page) {
        table()[i].title = page.title;
        table()[i].text = page.text;
    }
    // Address and text become "NIL", the title empty.
    void remove(std::size_t i);

    // Whether some entry holds this address, ASCII letters compared without case.
    bool holds(std::string_view address) const;

    // Empties every text of every entry and marks every entry visited; count stays.
    void clear();

    // Makes the table now, as the first write would, without changing an entry.
    void makeTable() { table(); }

    std::size_t count = 0;       // entries 0 to count - 1 are stored
    std::size_t searchRange = 0; // entries the result page examines
    long lastIndex = -1;         // highest entry the exports and the viewer read

private:
    using Table = std::array<PageRecord, kLinkListSize>;
    static const PageRecord kFreshRecord;

    // The table, made on first use.
    Table& table();

    std::unique_ptr<Table> records_;
    std::unordered_map<std::string, int> index_; // folded address -> entries holding it
    std::unique_ptr<TextStore> texts_ = std::make_unique<TextStore>();
    std::optional<StoredText> nilText_; // "NIL" in the store, once there
};

} // namespace trov
