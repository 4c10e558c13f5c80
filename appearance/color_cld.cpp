// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/color_cld.h"

#include "common/atomic_file.h"
#include "common/component_stream.h"
#include "common/text.h"

#include <cstdint>
#include <cstring>

namespace trov {

namespace {

using text::asciiUpper;
using text::equalsIgnoreCase;

constexpr const char* kInvalid = TROV_TEXT("Core", "Invalid stream format");

// The dialog as the program always configures it: full open, no "Define Custom Colors",
// Help shown, solid colours, any colour.
constexpr const char* kOptions[] = {"cdFullOpen", "cdPreventFullOpen", "cdShowHelp", "cdSolidColor",
                                    "cdAnyColor"};

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
    stream::StreamWriter w;
    w.raw(stream::kSignature);
    w.shortText("TColorDialog");
    w.shortText("ColorDialog");
    if (state.colour != 0) // black is the property's default and is not streamed
        w.intProperty("Color", state.colour);
    w.shortText("CustomColors.Strings");
    w.byte(stream::kList);
    for (std::size_t i = 0; i < state.customColours.size(); ++i) {
        w.byte(stream::kString);
        w.shortText(std::string("Color") + char('A' + i) + "=" +
                    hex6(state.customColours[i] & 0xFFFFFF));
    }
    w.byte(stream::kNull);
    w.shortText("Options");
    w.byte(stream::kSet);
    for (const char* option : kOptions)
        w.shortText(option);
    w.shortText("");
    w.byte(stream::kNull); // end of properties
    w.byte(stream::kNull); // end of children
    return w.take();
}

namespace {

void readCustomColours(stream::StreamCursor& in, ColourDialogState& state) {
    std::array<bool, 16> seen{};
    for (std::uint8_t item; (item = in.u8("a custom colour")) != stream::kNull;) {
        if (!stream::isStringTag(item)) {
            in.skipValue(item, 1);
            continue;
        }
        const std::string line = in.stringPayload(item);
        std::size_t slot = 0;
        int colour = 0;
        // The first line naming a slot wins, as a name lookup in a string list does.
        if (parseCustomLine(line, slot, colour) && !seen[slot]) {
            seen[slot] = true;
            state.customColours[slot] = colour;
        }
    }
}

ColourDialogState readState(stream::StreamCursor& in) {
    in.readHeader();
    ColourDialogState state;
    for (std::string_view name; !(name = in.shortText("a property name")).empty();) {
        const std::uint8_t t = in.u8("a value tag");
        if (equalsIgnoreCase(name, "Color") && stream::isIntegerTag(t)) {
            state.colour = static_cast<int>(in.integerPayload(t));
        } else if (equalsIgnoreCase(name, "Color") && t == stream::kIdent) {
            const std::string_view ident = in.shortText("a colour name");
            for (const auto& c : kColourIdents)
                if (equalsIgnoreCase(ident, c.name))
                    state.colour = c.value;
        } else if (equalsIgnoreCase(name, "CustomColors.Strings") && t == stream::kList) {
            readCustomColours(in, state);
        } else {
            in.skipValue(t, 0);
        }
    }
    state.storedColours = state.customColours;
    return state;
}

} // namespace

std::optional<ColourDialogState> parseColorCld(std::string_view bytes, std::string* error) {
    if (bytes.substr(0, 4) != stream::kSignature)
        return invalid(error);
    stream::StreamCursor in(bytes.substr(4));
    try {
        return readState(in);
    } catch (const stream::Corrupt&) {
        return invalid(error);
    }
}

std::optional<ColourDialogState> readColorCld(const std::string& dataFolder, std::string* error) {
    const StoreFile file(dataFolder + std::string(kColorCldFileName));
    FileError fileError;
    const std::optional<std::string> bytes = file.read(&fileError);
    if (!bytes) {
        if (error)
            *error = fileExists(file.path())
                         ? formatText(kCannotOpenFile, {file.path(), fileError.reason})
                         : std::string();
        return std::nullopt;
    }
    return parseColorCld(*bytes, error);
}

bool writeColorCld(const std::string& dataFolder, ColourDialogState& state, std::string* error) {
    const StoreFile file(dataFolder + std::string(kColorCldFileName));
    const StoreFile::Lock lock = file.lock();
    if (const auto bytes = file.read())
        if (const auto there = parseColorCld(*bytes))
            for (std::size_t i = 0; i < state.customColours.size(); ++i)
                if (state.customColours[i] == state.storedColours[i])
                    state.customColours[i] = there->customColours[i];
    FileError fileError;
    if (!file.write(serializeColorCld(state), &fileError)) {
        if (error)
            *error = formatText(kCannotCreateFile, {file.path(), fileError.reason});
        return false;
    }
    state.storedColours = state.customColours;
    return true;
}

} // namespace trov
