// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/component_stream.h"
#include "common/text.h"
#include "history/list_view_stream.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace trov {

namespace {

using namespace stream;

bool isAscii(std::string_view s) {
    std::uint64_t high = 0;
    std::size_t i = 0;
    for (; i + 8 <= s.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, s.data() + i, 8);
        high |= word;
    }
    for (; i < s.size(); ++i)
        high |= static_cast<unsigned char>(s[i]);
    return (high & 0x8080808080808080ull) == 0;
}

// Stored texts are UTF-8, or Windows-1252 from a store carried over from Windows.
std::string decoded(std::string_view stored) {
    return isAscii(stored) ? std::string(stored) : text::decodeStoredText(stored);
}

// An integer property; values of another kind are skipped and leave target unchanged.
void readInt(StreamCursor& c, std::uint8_t tag, int& target) {
    if (!isIntegerTag(tag)) {
        c.skipValue(tag, 0);
        return;
    }
    const std::int64_t v = c.integerPayload(tag);
    if (v >= INT32_MIN && v <= INT32_MAX)
        target = static_cast<int>(v);
}

void readText(StreamCursor& c, std::uint8_t tag, std::string& target) {
    switch (tag) {
    case kString:
    case kIdent:
        target = decoded(c.shortText("a text"));
        return;
    case kLString:
    case kUtf8String:
        target = decoded(c.take(c.u32("a length"), "a text"));
        return;
    default:
        c.skipValue(tag, 0);
    }
}

std::vector<HistoryColumn> readColumns(StreamCursor& c) {
    std::vector<HistoryColumn> columns;
    for (std::uint8_t t; (t = c.u8("the columns")) != kNull;) {
        if (isIntegerTag(t)) {
            c.integerPayload(t);
            t = c.u8("a column");
        }
        if (t != kList)
            throw Corrupt("a column is not a list");
        HistoryColumn column; // a stored column without "Width" has the default 50
        for (std::string_view name; !(name = c.shortText("a column property")).empty();) {
            const std::uint8_t tag = c.u8("a value tag");
            if (text::equalsIgnoreCase(name, "Caption"))
                readText(c, tag, column.caption);
            else if (text::equalsIgnoreCase(name, "Width"))
                readInt(c, tag, column.width);
            else
                c.skipValue(tag, 1);
        }
        columns.push_back(std::move(column));
    }
    return columns;
}

// A row with sub-items missing, or with texts to decode.
void appendDecoded(std::vector<HistoryRecord>& rows, const HistoryRecord::Texts& stored) {
    std::array<std::string, kHistoryColumnCount> texts;
    HistoryRecord::Texts views;
    for (std::size_t i = 0; i < kHistoryColumnCount; ++i)
        views[i] = texts[i] = decoded(stored[i]);
    rows.emplace_back(views);
}

// One row as the rows block holds it. A block that ends inside a row is refused.
void readRow(StreamCursor& c, const StoreBytes& store, std::string_view block,
             std::vector<HistoryRecord>& rows) {
    c.take(12, "a row"); // image, state and overlay index
    const std::int32_t subItems = c.i32("a row");
    c.take(4, "a row"); // data
    if (subItems < 0 || std::uint32_t(subItems) > c.remaining())
        throw Corrupt("a row's sub-item count does not fit the block");
    if (subItems < std::int32_t(kHistorySubItemCount)) {
        HistoryRecord::Texts texts{}; // absent sub-items are empty
        texts[0] = c.shortText("a row caption");
        for (std::int32_t s = 0; s < subItems; ++s)
            texts[std::size_t(s) + 1] = c.shortText("a sub-item");
        appendDecoded(rows, texts);
        return;
    }
    const std::size_t offset = std::size_t(block.data() - store->data()) + c.position();
    std::optional<HistoryRecord> row = HistoryRecord::fromStored(store, offset);
    if (!row)
        c.take(c.remaining() + 1, "a row's texts"); // refused: the texts run past the block
    const std::string_view stored = c.take(row->stored().size(), "a row's texts");
    for (std::int32_t s = std::int32_t(kHistorySubItemCount); s < subItems; ++s)
        c.shortText("a sub-item"); // sub-items past the columns are not kept
    // A row with no byte above 127, its length bytes included, is ASCII throughout (the
    // usual case): it is taken over as stored, in one copy.
    if (isAscii(stored))
        rows.push_back(std::move(*row));
    else
        appendDecoded(rows, row->texts());
}

// The rows block: its size, the row count, the rows, then sub-item image indexes.
void readItemsData(const StoreBytes& store, std::string_view block,
                   std::vector<HistoryRecord>& rows) {
    StreamCursor whole(block);
    const std::uint32_t size = whole.u32("the rows' size");
    const std::int32_t count = whole.i32("the row count");
    if (size < 8 || size > block.size())
        throw Corrupt("the rows' size field does not match the block");
    if (count < 0 || std::uint32_t(count) > (size - 8) / 21)
        throw Corrupt("the row count does not fit the block");
    block = block.substr(0, size);
    StreamCursor c(block);
    c.take(8, "the rows' header");
    rows.clear();
    rows.reserve(std::size_t(count)); // bounded above by the block's size
    for (std::int32_t r = 0; r < count; ++r)
        readRow(c, store, block, rows);
    // The sub-item image indexes that follow are presentation only; the list has no use
    // for them, and a block that ends early is still a good one.
}

void readProperties(StreamCursor& c, const StoreBytes& store, HistoryList& list) {
    for (std::string_view name; !(name = c.shortText("a property name")).empty();) {
        const std::uint8_t tag = c.u8("a value tag");
        const auto is = [&](std::string_view n) { return text::equalsIgnoreCase(name, n); };
        if (is("Left"))
            readInt(c, tag, list.geometry.left);
        else if (is("Top"))
            readInt(c, tag, list.geometry.top);
        else if (is("Width"))
            readInt(c, tag, list.geometry.width);
        else if (is("Height"))
            readInt(c, tag, list.geometry.height);
        else if (is("MultiSelect") && (tag == kTrue || tag == kFalse))
            list.multiSelect = tag == kTrue;
        else if (is("Columns") && tag == kCollection)
            list.columns = readColumns(c);
        else if (is("Items.Data") && tag == kBinary)
            readItemsData(store, c.take(c.u32("the rows' length"), "the rows"), list.rows);
        else
            c.skipValue(tag, 0);
    }
}

} // namespace

StreamReadResult readListViewStream(std::string_view bytes, HistoryList& list) {
    return readListViewStream(std::make_shared<const std::string>(bytes), list);
}

StreamReadResult readListViewStream(StoreBytes store, HistoryList& list) {
    const std::string_view bytes = *store;
    StreamCursor c(bytes);
    try {
        if (c.remaining() < 4 || std::memcmp(bytes.data(), kSignature, 4) != 0)
            throw Corrupt("not a history store (no TPF0 signature)");
        c.take(4, "the signature");
        c.readHeader();
        readProperties(c, store, list);
        while (c.peek("the child list") != kNull)
            c.skipObject(1);
        c.u8("the child list");
    } catch (const Corrupt& e) {
        return {false, std::string(e.what()) + " (at byte " + std::to_string(c.position()) + ")"};
    }
    return {true, {}};
}

} // namespace trov
