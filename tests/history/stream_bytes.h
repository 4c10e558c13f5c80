#pragma once

// Builds component-stream bytes by hand, value by value, so that the tests state the
// expected store independently of the program's writer.

#include <cstdint>
#include <string>
#include <string_view>

namespace trov::test {

class Bytes {
public:
    Bytes& raw(std::string_view s) {
        b_ += s;
        return *this;
    }
    Bytes& u8(unsigned v) {
        b_ += static_cast<char>(v & 0xFF);
        return *this;
    }
    Bytes& u16(unsigned v) { return u8(v).u8(v >> 8); }
    Bytes& u32(std::uint32_t v) { return u8(v).u8(v >> 8).u8(v >> 16).u8(v >> 24); }
    Bytes& str(std::string_view s) { return u8(unsigned(s.size())).raw(s); }
    // Property records.
    Bytes& int8(std::string_view name, int v) { return str(name).u8(2).u8(unsigned(v)); }
    Bytes& int16(std::string_view name, int v) { return str(name).u8(3).u16(unsigned(v)); }
    Bytes& int32(std::string_view name, std::int32_t v) {
        return str(name).u8(4).u32(std::uint32_t(v));
    }
    Bytes& ident(std::string_view name, std::string_view v) { return str(name).u8(7).str(v); }
    Bytes& text(std::string_view name, std::string_view v) { return str(name).u8(6).str(v); }
    Bytes& boolean(std::string_view name, bool v) { return str(name).u8(v ? 9 : 8); }
    Bytes& binary(std::string_view name, std::string_view data) {
        return str(name).u8(10).u32(std::uint32_t(data.size())).raw(data);
    }

    const std::string& bytes() const { return b_; }
    std::size_t size() const { return b_.size(); }

private:
    std::string b_;
};

} // namespace trov::test
