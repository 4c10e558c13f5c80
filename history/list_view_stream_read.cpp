#include "common/text.h"
#include "history/list_view_stream.h"
#include "history/stream_tags.h"

#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace trov {

namespace {

using namespace stream;

struct Corrupt : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Nested lists and collections deeper than this are refused rather than followed.
constexpr int kMaxDepth = 32;

// Every read is checked against the end of its buffer.
class Cursor {
public:
    explicit Cursor(std::string_view bytes) : bytes_(bytes) {}

    std::size_t remaining() const { return bytes_.size() - pos_; }
    std::size_t position() const { return pos_; }

    std::string_view take(std::size_t n, const char* what) {
        if (n > remaining())
            throw Corrupt(std::string(what) + " runs past the end of the stream");
        const std::string_view s = bytes_.substr(pos_, n);
        pos_ += n;
        return s;
    }
    std::uint8_t u8(const char* what) { return static_cast<std::uint8_t>(take(1, what)[0]); }
    std::uint8_t peek(const char* what) const {
        if (remaining() < 1)
            throw Corrupt(std::string(what) + " runs past the end of the stream");
        return static_cast<std::uint8_t>(bytes_[pos_]);
    }
    std::uint16_t u16(const char* what) {
        const std::string_view s = take(2, what);
        return std::uint16_t(std::uint8_t(s[0]) | std::uint8_t(s[1]) << 8);
    }
    std::uint32_t u32(const char* what) {
        const std::string_view s = take(4, what);
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = v << 8 | std::uint8_t(s[std::size_t(i)]);
        return v;
    }
    std::int32_t i32(const char* what) { return static_cast<std::int32_t>(u32(what)); }
    std::string_view shortText(const char* what) { return take(u8(what), what); }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

// Stored texts are UTF-8, or Windows-1252 from a store carried over from Windows.
void decodeInto(std::string_view stored, std::string& out) {
    unsigned char high = 0;
    for (const char ch : stored)
        high |= static_cast<unsigned char>(ch);
    if (high & 0x80)
        out = text::decodeStoredText(stored);
    else
        out.assign(stored);
}

std::string decoded(std::string_view stored) {
    std::string out;
    decodeInto(stored, out);
    return out;
}

bool isIntegerTag(std::uint8_t tag) {
    return tag == kInt8 || tag == kInt16 || tag == kInt32 || tag == kInt64;
}

std::int64_t readIntegerPayload(Cursor& c, std::uint8_t tag) {
    switch (tag) {
    case kInt8:
        return static_cast<std::int8_t>(c.u8("an integer"));
    case kInt16:
        return static_cast<std::int16_t>(c.u16("an integer"));
    case kInt32:
        return c.i32("an integer");
    default: {
        const std::uint64_t low = c.u32("an integer");
        const std::uint64_t high = c.u32("an integer");
        return static_cast<std::int64_t>(high << 32 | low);
    }
    }
}

void skipValue(Cursor& c, std::uint8_t tag, int depth);

void skipProperties(Cursor& c, int depth) {
    while (!c.shortText("a property name").empty())
        skipValue(c, c.u8("a value tag"), depth);
}

void skipValue(Cursor& c, std::uint8_t tag, int depth) {
    if (depth > kMaxDepth)
        throw Corrupt("values nested too deeply");
    switch (tag) {
    case kNull:
    case kFalse:
    case kTrue:
    case kNil:
        return;
    case kList:
        for (std::uint8_t t; (t = c.u8("a list")) != kNull;)
            skipValue(c, t, depth + 1);
        return;
    case kInt8:
    case kInt16:
    case kInt32:
    case kInt64:
        readIntegerPayload(c, tag);
        return;
    case kSingle:
        c.take(4, "a number");
        return;
    case kCurrency:
    case kDate:
    case kDouble:
        c.take(8, "a number");
        return;
    case kExtended:
        c.take(10, "a number");
        return;
    case kString:
    case kIdent:
        c.shortText("a text");
        return;
    case kBinary:
    case kLString:
    case kUtf8String:
        c.take(c.u32("a length"), "a long value");
        return;
    case kWString: {
        const std::uint32_t units = c.u32("a length");
        if (units > c.remaining() / 2)
            throw Corrupt("a wide text runs past the end of the stream");
        c.take(std::size_t(units) * 2, "a wide text");
        return;
    }
    case kSet:
        while (!c.shortText("a set").empty()) {
        }
        return;
    case kCollection:
        for (std::uint8_t t; (t = c.u8("a collection")) != kNull;) {
            if (isIntegerTag(t)) { // an item may carry its index first
                readIntegerPayload(c, t);
                t = c.u8("a collection item");
            }
            if (t != kList)
                throw Corrupt("a collection item is not a list");
            skipProperties(c, depth + 1);
        }
        return;
    default:
        throw Corrupt("unknown value tag " + std::to_string(tag));
    }
}

// An integer property; values of another kind are skipped and leave target unchanged.
void readInt(Cursor& c, std::uint8_t tag, int& target) {
    if (!isIntegerTag(tag)) {
        skipValue(c, tag, 0);
        return;
    }
    const std::int64_t v = readIntegerPayload(c, tag);
    if (v >= INT32_MIN && v <= INT32_MAX)
        target = static_cast<int>(v);
}

void readText(Cursor& c, std::uint8_t tag, std::string& target) {
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
        skipValue(c, tag, 0);
    }
}

std::vector<HistoryColumn> readColumns(Cursor& c) {
    std::vector<HistoryColumn> columns;
    for (std::uint8_t t; (t = c.u8("the columns")) != kNull;) {
        if (isIntegerTag(t)) {
            readIntegerPayload(c, t);
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
                skipValue(c, tag, 1);
        }
        columns.push_back(std::move(column));
    }
    return columns;
}

// The rows block: its size, the row count, the rows, then sub-item image indexes.
void readItemsData(std::string_view block, std::vector<HistoryRecord>& rows) {
    Cursor whole(block);
    const std::uint32_t size = whole.u32("the rows' size");
    const std::int32_t count = whole.i32("the row count");
    if (size < 8 || size > block.size())
        throw Corrupt("the rows' size field does not match the block");
    if (count < 0 || std::uint32_t(count) > (size - 8) / 21)
        throw Corrupt("the row count does not fit the block");
    Cursor c(block.substr(0, size));
    c.take(8, "the rows' header");
    rows.clear();
    rows.reserve(std::size_t(count)); // bounded above by the block's size
    for (std::int32_t r = 0; r < count; ++r) {
        c.take(12, "a row"); // image, state and overlay index
        const std::int32_t subItems = c.i32("a row");
        c.take(4, "a row"); // data
        if (subItems < 0 || std::uint32_t(subItems) > c.remaining())
            throw Corrupt("a row's sub-item count does not fit the block");
        const std::string_view caption = c.shortText("a row caption");
        HistoryRecord& row = rows.emplace_back();
        decodeInto(caption, row[0]);
        try {
            for (std::int32_t s = 0; s < subItems; ++s) {
                const std::string_view t = c.shortText("a sub-item");
                if (std::size_t(s) < kHistorySubItemCount)
                    decodeInto(t, row[std::size_t(s) + 1]);
            }
        } catch (const Corrupt&) {
            rows.pop_back(); // only whole rows are kept
            throw;
        }
    }
    // The sub-item image indexes are read only while the block has bytes for them.
    while (c.remaining() >= 2)
        c.u16("an image index");
}

void readHeader(Cursor& c) {
    if (c.peek("the object header") >= 0xF0) { // flags of an inherited or placed object
        const std::uint8_t flags = c.u8("the object header") & 0x0F;
        if (flags & 0x02) {
            int position = 0;
            readInt(c, c.u8("the child position"), position);
        }
    }
    c.shortText("the class name");
    c.shortText("the object name");
}

void skipObject(Cursor& c, int depth) {
    if (depth > kMaxDepth)
        throw Corrupt("objects nested too deeply");
    readHeader(c);
    skipProperties(c, depth);
    while (c.peek("the child list") != kNull)
        skipObject(c, depth + 1);
    c.u8("the child list");
}

void readProperties(Cursor& c, HistoryList& list) {
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
            readItemsData(c.take(c.u32("the rows' length"), "the rows"), list.rows);
        else
            skipValue(c, tag, 0);
    }
}

} // namespace

StreamReadResult readListViewStream(std::string_view bytes, HistoryList& list) {
    Cursor c(bytes);
    try {
        if (c.remaining() < 4 || std::memcmp(bytes.data(), kSignature, 4) != 0)
            throw Corrupt("not a history store (no TPF0 signature)");
        c.take(4, "the signature");
        readHeader(c);
        readProperties(c, list);
        while (c.peek("the child list") != kNull)
            skipObject(c, 1);
        c.u8("the child list");
    } catch (const Corrupt& e) {
        return {false, std::string(e.what()) + " (at byte " + std::to_string(c.position()) + ")"};
    }
    return {true, {}};
}

} // namespace trov
