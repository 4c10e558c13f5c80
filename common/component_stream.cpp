// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/component_stream.h"

#include "common/text.h"

namespace trov::stream {

bool isIntegerTag(std::uint8_t tag) {
    return tag == kInt8 || tag == kInt16 || tag == kInt32 || tag == kInt64;
}

bool isStringTag(std::uint8_t tag) {
    return tag == kString || tag == kLString || tag == kWString || tag == kUtf8String;
}

void StreamWriter::u16(std::uint16_t v) {
    byte(std::uint8_t(v));
    byte(std::uint8_t(v >> 8));
}

void StreamWriter::u32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        byte(std::uint8_t(v >> (8 * i)));
}

void StreamWriter::shortText(std::string_view s) {
    s = text::cutUtf8(s, 255);
    byte(static_cast<std::uint8_t>(s.size()));
    out_.append(s);
}

void StreamWriter::integer(std::int32_t v) {
    if (v >= INT8_MIN && v <= INT8_MAX) {
        byte(kInt8);
        byte(static_cast<std::uint8_t>(v));
    } else if (v >= INT16_MIN && v <= INT16_MAX) {
        byte(kInt16);
        u16(static_cast<std::uint16_t>(v));
    } else {
        byte(kInt32);
        u32(static_cast<std::uint32_t>(v));
    }
}

void StreamWriter::intProperty(std::string_view name, std::int32_t v) {
    shortText(name);
    integer(v);
}

void StreamWriter::identProperty(std::string_view name, std::string_view ident) {
    shortText(name);
    byte(kIdent);
    shortText(ident);
}

void StreamWriter::boolProperty(std::string_view name, bool v) {
    shortText(name);
    byte(v ? kTrue : kFalse);
}

void StreamCursor::pastTheEnd(const char* what) {
    throw Corrupt(std::string(what) + " runs past the end of the stream");
}

std::int64_t StreamCursor::integerPayload(std::uint8_t tag) {
    switch (tag) {
    case kInt8:
        return static_cast<std::int8_t>(u8("an integer"));
    case kInt16:
        return static_cast<std::int16_t>(u16("an integer"));
    case kInt32:
        return i32("an integer");
    case kInt64: {
        const std::uint64_t low = u32("an integer");
        const std::uint64_t high = u32("an integer");
        return static_cast<std::int64_t>(high << 32 | low);
    }
    default:
        throw Corrupt("an integer has tag " + std::to_string(tag));
    }
}

std::string StreamCursor::stringPayload(std::uint8_t tag) {
    switch (tag) {
    case kString:
    case kIdent:
        return std::string(shortText("a text"));
    case kLString:
    case kUtf8String:
        return std::string(take(u32("a length"), "a text"));
    case kWString: {
        const std::uint32_t units = u32("a length");
        if (units > remaining() / 2)
            throw Corrupt("a wide text runs past the end of the stream");
        const std::string_view wide = take(std::size_t(units) * 2, "a wide text");
        std::string s;
        for (std::size_t i = 0; i < wide.size(); i += 2)
            s.push_back(wide[i + 1] == 0 ? wide[i] : '?');
        return s;
    }
    default:
        throw Corrupt("a text has tag " + std::to_string(tag));
    }
}

void StreamCursor::skipProperties(int depth) {
    while (!shortText("a property name").empty())
        skipValue(u8("a value tag"), depth);
}

void StreamCursor::skipValue(std::uint8_t tag, int depth) {
    if (depth > kMaxDepth)
        throw Corrupt("values nested too deeply");
    switch (tag) {
    case kNull:
    case kFalse:
    case kTrue:
    case kNil:
        return;
    case kList:
        for (std::uint8_t t; (t = u8("a list")) != kNull;)
            skipValue(t, depth + 1);
        return;
    case kInt8:
    case kInt16:
    case kInt32:
    case kInt64:
        integerPayload(tag);
        return;
    case kSingle:
        take(4, "a number");
        return;
    case kCurrency:
    case kDate:
    case kDouble:
        take(8, "a number");
        return;
    case kExtended:
        take(10, "a number");
        return;
    case kString:
    case kIdent:
        shortText("a text");
        return;
    case kBinary:
    case kLString:
    case kUtf8String:
        take(u32("a length"), "a long value");
        return;
    case kWString: {
        const std::uint32_t units = u32("a length");
        if (units > remaining() / 2)
            throw Corrupt("a wide text runs past the end of the stream");
        take(std::size_t(units) * 2, "a wide text");
        return;
    }
    case kSet:
        while (!shortText("a set").empty()) {
        }
        return;
    case kCollection:
        for (std::uint8_t t; (t = u8("a collection")) != kNull;) {
            if (isIntegerTag(t)) { // an item may carry its index first
                integerPayload(t);
                t = u8("a collection item");
            }
            if (t != kList)
                throw Corrupt("a collection item is not a list");
            skipProperties(depth + 1);
        }
        return;
    default:
        throw Corrupt("unknown value tag " + std::to_string(tag));
    }
}

void StreamCursor::readHeader(std::string_view* className, std::string_view* objectName) {
    if (peek("the object header") >= 0xF0) { // flags of an inherited or placed object
        const std::uint8_t flags = u8("the object header") & 0x0F;
        if (flags & 0x02) {
            const std::uint8_t tag = u8("the child position");
            if (!isIntegerTag(tag))
                throw Corrupt("the child position is not an integer");
            integerPayload(tag);
        }
    }
    const std::string_view cls = shortText("the class name");
    const std::string_view obj = shortText("the object name");
    if (className)
        *className = cls;
    if (objectName)
        *objectName = obj;
}

void StreamCursor::skipObject(int depth) {
    if (depth > kMaxDepth)
        throw Corrupt("objects nested too deeply");
    readHeader();
    skipProperties(depth);
    while (peek("the child list") != kNull)
        skipObject(depth + 1);
    u8("the child list");
}

} // namespace trov::stream
