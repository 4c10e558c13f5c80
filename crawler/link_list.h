// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The crawler's fixed table of page records and its counters. The table never grows past
// its 20006 entries; a link found once it is full is dropped. Duplicate tests go through
// a case-folded index of every address held, so a crawl stays near-linear while giving
// the answers of a scan over the table. The table itself is made on the first write, so
// a program that never crawls never pays for its 20006 records.

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

namespace trov {

inline constexpr std::size_t kLinkListSize = 20006;
inline constexpr std::size_t kCrawlLimit = 20000; // the site crawl stops expanding here
inline constexpr std::string_view kNil = "NIL";

// A page as the later steps read it: the search and the data export read its text, the
// result page its title. The page's source is dropped once its links and title are taken,
// so a crawl keeps little more than the text of the pages it fetched.
struct PageRecord {
    std::string address;
    bool visited = true; // false: still to be expanded
    std::string title;
    std::string text;
    std::string match;
};

class LinkList {
public:
    LinkList();

    // An entry of a table not made yet reads as a fresh record.
    const PageRecord& operator[](std::size_t i) const {
        return records_ ? (*records_)[i] : kFreshRecord;
    }
    std::size_t size() const { return kLinkListSize; }

    // Field writers; the address goes through the index.
    void setAddress(std::size_t i, std::string address);
    void setVisited(std::size_t i, bool visited) { table()[i].visited = visited; }
    void setTitle(std::size_t i, std::string title) { table()[i].title = std::move(title); }
    void setText(std::size_t i, std::string text) { table()[i].text = std::move(text); }
    void setMatch(std::size_t i, std::string match) { table()[i].match = std::move(match); }
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
};

} // namespace trov
