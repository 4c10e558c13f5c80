// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The binary component stream the Windows program keeps its history list and its colour
// dialog in: "TPF0", an object header, then named properties, each a value tag and its
// payload, little-endian. Both stores are read and written through these pieces, so the
// tags and the bounds checks exist once.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace trov::stream {

enum Tag : std::uint8_t {
    kNull = 0,
    kList = 1,
    kInt8 = 2,
    kInt16 = 3,
    kInt32 = 4,
    kExtended = 5,
    kString = 6,
    kIdent = 7,
    kFalse = 8,
    kTrue = 9,
    kBinary = 10,
    kSet = 11,
    kLString = 12,
    kNil = 13,
    kCollection = 14,
    kSingle = 15,
    kCurrency = 16,
    kDate = 17,
    kWString = 18,
    kInt64 = 19,
    kUtf8String = 20,
    kDouble = 21,
};

inline constexpr char kSignature[] = "TPF0";
// Nested lists, collections and objects deeper than this are refused rather than followed.
inline constexpr int kMaxDepth = 32;

bool isIntegerTag(std::uint8_t tag);
bool isStringTag(std::uint8_t tag);

class StreamWriter {
public:
    explicit StreamWriter(std::size_t expected = 256) { out_.reserve(expected); }

    void byte(std::uint8_t b) { out_.push_back(static_cast<char>(b)); }
    void u16(std::uint16_t v);
    void u32(std::uint32_t v);
    // A length byte and the text, cut to 255 bytes on a UTF-8 character boundary.
    void shortText(std::string_view s);
    void raw(std::string_view s) { out_.append(s); }
    void repeat(std::size_t count, std::uint8_t b) { out_.append(count, static_cast<char>(b)); }
    // The smallest of the three integer tags that holds the value.
    void integer(std::int32_t v);
    void intProperty(std::string_view name, std::int32_t v);
    void identProperty(std::string_view name, std::string_view ident);
    void boolProperty(std::string_view name, bool v);

    std::string take() { return std::move(out_); }

private:
    std::string out_;
};

// A stream that does not hold what its lengths and tags promise.
struct Corrupt : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Reads with every access checked against the end of its buffer (Corrupt otherwise).
class StreamCursor {
public:
    explicit StreamCursor(std::string_view bytes) : bytes_(bytes) {}

    std::size_t remaining() const { return bytes_.size() - pos_; }
    std::size_t position() const { return pos_; }

    // Inline: a history store is read a few bytes at a time, millions of times.
    std::string_view take(std::size_t n, const char* what) {
        if (n > remaining())
            pastTheEnd(what);
        const std::string_view s = bytes_.substr(pos_, n);
        pos_ += n;
        return s;
    }
    std::uint8_t u8(const char* what) { return static_cast<std::uint8_t>(take(1, what)[0]); }
    std::uint8_t peek(const char* what) const {
        if (remaining() < 1)
            pastTheEnd(what);
        return static_cast<std::uint8_t>(bytes_[pos_]);
    }
    std::uint16_t u16(const char* what) {
        const std::string_view s = take(2, what);
        return std::uint16_t(std::uint8_t(s[0]) | std::uint8_t(s[1]) << 8);
    }
    std::uint32_t u32(const char* what) {
        const std::string_view s = take(4, what);
        return std::uint32_t(std::uint8_t(s[0])) | std::uint32_t(std::uint8_t(s[1])) << 8 |
               std::uint32_t(std::uint8_t(s[2])) << 16 | std::uint32_t(std::uint8_t(s[3])) << 24;
    }
    std::int32_t i32(const char* what) { return static_cast<std::int32_t>(u32(what)); }
    std::string_view shortText(const char* what) { return take(u8(what), what); }

    std::int64_t integerPayload(std::uint8_t tag);
    // The payload of a string value of any kind; wide texts keep their low bytes.
    std::string stringPayload(std::uint8_t tag);
    void skipValue(std::uint8_t tag, int depth);
    // Properties up to the empty name that ends them.
    void skipProperties(int depth);
    // Flags and child position of an inherited object, then class and object names.
    void readHeader(std::string_view* className = nullptr, std::string_view* objectName = nullptr);
    // A whole child object with its properties and children.
    void skipObject(int depth);

private:
    [[noreturn]] static void pastTheEnd(const char* what);

    std::string_view bytes_;
    std::size_t pos_ = 0;
};

} // namespace trov::stream
