#include "appearance/color_cld.h"

#include "common/atomic_file.h"
#include "common/text.h"

#include <cstdint>
#include <cstring>

namespace trov {

namespace {

using text::asciiUpper;
using text::equalsIgnoreCase;

// Value kinds of the component stream.
enum ValueType : std::uint8_t {
    vaNull = 0,
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5,
    vaString = 6,
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,
    vaSet = 11,
    vaLString = 12,
    vaNil = 13,
    vaCollection = 14,
    vaSingle = 15,
    vaCurrency = 16,
    vaDate = 17,
    vaWString = 18,
    vaInt64 = 19,
    vaUTF8String = 20,
};

constexpr const char* kInvalid = "Invalid stream format";
constexpr int kMaxDepth = 32;

// The dialog as the program always configures it: full open, no "Define Custom Colors",
// Help shown, solid colours, any colour.
constexpr const char* kOptions[] = {"cdFullOpen", "cdPreventFullOpen", "cdShowHelp", "cdSolidColor",
                                    "cdAnyColor"};

void putShort(std::string& out, std::string_view s) {
    out.push_back(static_cast<char>(s.size()));
    out.append(s);
}

void putInteger(std::string& out, int v) {
    if (v >= -128 && v <= 127) {
        out.push_back(char(vaInt8));
        out.push_back(static_cast<char>(v));
    } else if (v >= -32768 && v <= 32767) {
        out.push_back(char(vaInt16));
        for (int i = 0; i < 2; ++i)
            out.push_back(static_cast<char>((static_cast<unsigned>(v) >> (8 * i)) & 0xFF));
    } else {
        out.push_back(char(vaInt32));
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<char>((static_cast<unsigned>(v) >> (8 * i)) & 0xFF));
    }
}

std::string hex6(int v) {
    static const char digits[] = "0123456789ABCDEF";
    std::string s(6, '0');
    for (int i = 5; i >= 0; --i, v >>= 4)
        s[static_cast<std::size_t>(i)] = digits[v & 0xF];
    return s;
}

struct BasicColour {
    const char* name;
    int value;
};

constexpr BasicColour kColourIdents[] = {
    {"clBlack", 0x000000},  {"clMaroon", 0x000080},  {"clGreen", 0x008000}, {"clOlive", 0x008080},
    {"clNavy", 0x800000},   {"clPurple", 0x800080},  {"clTeal", 0x808000},  {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF},     {"clLime", 0x00FF00},  {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},   {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},  {"clWhite", 0xFFFFFF},
};

class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    bool byte(std::uint8_t& b) {
        if (pos_ >= bytes_.size())
            return false;
        b = static_cast<std::uint8_t>(bytes_[pos_++]);
        return true;
    }
    bool raw(std::size_t n, std::string_view* out = nullptr) {
        if (bytes_.size() - pos_ < n)
            return false;
        if (out)
            *out = bytes_.substr(pos_, n);
        pos_ += n;
        return true;
    }
    bool uint32(std::uint32_t& v) {
        std::string_view s;
        if (!raw(4, &s))
            return false;
        v = 0;
        for (int i = 3; i >= 0; --i)
            v = (v << 8) | static_cast<std::uint8_t>(s[static_cast<std::size_t>(i)]);
        return true;
    }
    bool shortString(std::string& s) {
        std::uint8_t n = 0;
        std::string_view v;
        if (!byte(n) || !raw(n, &v))
            return false;
        s.assign(v);
        return true;
    }
    bool integerOf(std::uint8_t type, std::int64_t& v) {
        const std::size_t size = type == vaInt8 ? 1 : type == vaInt16 ? 2 : type == vaInt32 ? 4 : 8;
        std::string_view s;
        if (!raw(size, &s))
            return false;
        std::uint64_t u = 0;
        for (std::size_t i = size; i-- > 0;)
            u = (u << 8) | static_cast<std::uint8_t>(s[i]);
        const unsigned bits = static_cast<unsigned>(size * 8);
        if (bits < 64 && (u >> (bits - 1)) & 1)
            u |= ~std::uint64_t{0} << bits; // sign-extend
        v = static_cast<std::int64_t>(u);
        return true;
    }
    // A text value of any string kind; wide strings keep their low bytes.
    bool stringOf(std::uint8_t type, std::string& s) {
        if (type == vaString)
            return shortString(s);
        std::uint32_t n = 0;
        if (!uint32(n))
            return false;
        std::string_view v;
        if (type == vaWString) {
            if (n > bytes_.size() / 2 || !raw(std::size_t{n} * 2, &v))
                return false;
            s.clear();
            for (std::size_t i = 0; i < v.size(); i += 2)
                s.push_back(v[i + 1] == 0 ? v[i] : '?');
            return true;
        }
        if (!raw(n, &v))
            return false;
        s.assign(v);
        return true;
    }
    static bool isString(std::uint8_t t) {
        return t == vaString || t == vaLString || t == vaWString || t == vaUTF8String;
    }
    static bool isInteger(std::uint8_t t) {
        return t == vaInt8 || t == vaInt16 || t == vaInt32 || t == vaInt64;
    }

    // Skips one value whose type byte has been read.
    bool skipValue(std::uint8_t type, int depth) {
        if (depth > kMaxDepth)
            return false;
        std::string s;
        std::int64_t i = 0;
        std::uint32_t n = 0;
        switch (type) {
        case vaNull:
        case vaFalse:
        case vaTrue:
        case vaNil:
            return true;
        case vaInt8:
        case vaInt16:
        case vaInt32:
        case vaInt64:
            return integerOf(type, i);
        case vaExtended:
            return raw(10);
        case vaSingle:
            return raw(4);
        case vaCurrency:
        case vaDate:
            return raw(8);
        case vaString:
        case vaLString:
        case vaWString:
        case vaUTF8String:
            return stringOf(type, s);
        case vaIdent:
            return shortString(s);
        case vaBinary:
            return uint32(n) && raw(n);
        case vaSet:
            for (;;) {
                if (!shortString(s))
                    return false;
                if (s.empty())
                    return true;
            }
        case vaList:
            for (;;) {
                std::uint8_t t = 0;
                if (!byte(t))
                    return false;
                if (t == vaNull)
                    return true;
                if (!skipValue(t, depth + 1))
                    return false;
            }
        case vaCollection:
            for (;;) {
                std::uint8_t t = 0;
                if (!byte(t))
                    return false;
                if (t == vaNull)
                    return true;
                if (isInteger(t)) { // the item's order
                    if (!integerOf(t, i) || !byte(t))
                        return false;
                }
                if (t != vaList || !skipProperties(depth + 1))
                    return false;
            }
        default:
            return false;
        }
    }

    // Properties up to the empty name that ends them.
    bool skipProperties(int depth) {
        for (;;) {
            std::string name;
            if (!shortString(name))
                return false;
            if (name.empty())
                return true;
            std::uint8_t t = 0;
            if (!byte(t) || !skipValue(t, depth + 1))
                return false;
        }
    }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

// "ColorA=FFFFFF": the slot and its colour, or nothing for a malformed line.
bool parseCustomLine(std::string_view line, std::size_t& slot, int& colour) {
    const std::size_t eq = line.find('=');
    if (eq != 6 || !equalsIgnoreCase(line.substr(0, 5), "Color"))
        return false;
    const char letter = asciiUpper(line[5]);
    if (letter < 'A' || letter > 'P')
        return false;
    const std::string_view digits = line.substr(7);
    if (digits.empty() || digits.size() > 6)
        return false;
    int v = 0;
    for (const char c : digits) {
        int d = 0;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (asciiUpper(c) >= 'A' && asciiUpper(c) <= 'F')
            d = asciiUpper(c) - 'A' + 10;
        else
            return false;
        v = v * 16 + d;
    }
    slot = static_cast<std::size_t>(letter - 'A');
    colour = v;
    return true;
}

std::nullopt_t invalid(std::string* error) {
    if (error)
        *error = kInvalid;
    return std::nullopt;
}

} // namespace

std::string serializeColorCld(const ColourDialogState& state) {
    std::string out = "TPF0";
    putShort(out, "TColorDialog");
    putShort(out, "ColorDialog");
    if (state.colour != 0) { // black is the property's default and is not streamed
        putShort(out, "Color");
        putInteger(out, state.colour);
    }
    putShort(out, "CustomColors.Strings");
    out.push_back(char(vaList));
    for (std::size_t i = 0; i < state.customColours.size(); ++i) {
        out.push_back(char(vaString));
        putShort(out, std::string("Color") + char('A' + i) + "=" +
                          hex6(state.customColours[i] & 0xFFFFFF));
    }
    out.push_back(char(vaNull));
    putShort(out, "Options");
    out.push_back(char(vaSet));
    for (const char* option : kOptions)
        putShort(out, option);
    putShort(out, "");
    out.push_back(char(vaNull)); // end of properties
    out.push_back(char(vaNull)); // end of children
    return out;
}

std::optional<ColourDialogState> parseColorCld(std::string_view bytes, std::string* error) {
    if (bytes.substr(0, 4) != "TPF0")
        return invalid(error);
    Reader in(bytes.substr(4));
    std::uint8_t b = 0;
    std::string className, objectName;
    if (!in.byte(b))
        return invalid(error);
    if ((b & 0xF0) == 0xF0) { // filer flags; a child position follows when flagged
        if (b & 0x02) {
            std::uint8_t t = 0;
            std::int64_t ignored = 0;
            if (!in.byte(t) || !Reader::isInteger(t) || !in.integerOf(t, ignored))
                return invalid(error);
        }
    } else {
        std::string_view first; // b was the class name's length
        if (!in.raw(b, &first))
            return invalid(error);
        className.assign(first);
    }
    if ((className.empty() && !in.shortString(className)) || !in.shortString(objectName))
        return invalid(error);

    ColourDialogState state;
    std::array<bool, 16> seen{};
    for (;;) {
        std::string name;
        if (!in.shortString(name))
            return invalid(error);
        if (name.empty())
            break;
        std::uint8_t t = 0;
        if (!in.byte(t))
            return invalid(error);
        if (equalsIgnoreCase(name, "Color") && Reader::isInteger(t)) {
            std::int64_t v = 0;
            if (!in.integerOf(t, v))
                return invalid(error);
            state.colour = static_cast<int>(v);
        } else if (equalsIgnoreCase(name, "Color") && t == vaIdent) {
            std::string ident;
            if (!in.shortString(ident))
                return invalid(error);
            for (const auto& c : kColourIdents)
                if (equalsIgnoreCase(ident, c.name))
                    state.colour = c.value;
        } else if (equalsIgnoreCase(name, "CustomColors.Strings") && t == vaList) {
            for (;;) {
                std::uint8_t item = 0;
                if (!in.byte(item))
                    return invalid(error);
                if (item == vaNull)
                    break;
                if (!Reader::isString(item)) {
                    if (!in.skipValue(item, 1))
                        return invalid(error);
                    continue;
                }
                std::string line;
                if (!in.stringOf(item, line))
                    return invalid(error);
                std::size_t slot = 0;
                int colour = 0;
                // The first line naming a slot wins, as a name lookup in a string list does.
                if (parseCustomLine(line, slot, colour) && !seen[slot]) {
                    seen[slot] = true;
                    state.customColours[slot] = colour;
                }
            }
        } else if (!in.skipValue(t, 0)) {
            return invalid(error);
        }
    }
    return state;
}

std::optional<ColourDialogState> readColorCld(const std::string& dataFolder, std::string* error) {
    const std::string path = dataFolder + std::string(kColorCldFileName);
    FileError fileError;
    const std::optional<std::string> bytes = readWholeFile(path, &fileError);
    if (!bytes) {
        if (error)
            *error = fileExists(path) ? "Cannot open file \"" + path + "\". " + fileError.reason
                                      : std::string();
        return std::nullopt;
    }
    return parseColorCld(*bytes, error);
}

bool writeColorCld(const std::string& dataFolder, const ColourDialogState& state,
                   std::string* error) {
    const std::string path = dataFolder + std::string(kColorCldFileName);
    FileError fileError;
    if (writeFileAtomically(path, serializeColorCld(state), &fileError))
        return true;
    if (error)
        *error = "Cannot create file \"" + path + "\". " + fileError.reason;
    return false;
}

} // namespace trov
