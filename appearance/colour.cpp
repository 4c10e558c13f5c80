// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/colour.h"

#include "common/messages.h"
#include "settings/config.h"

#include <array>
#include <cmath>

namespace trov {

namespace {

// The classic Windows values of the system colours, as RGB (0xRRGGBB), by index.
constexpr std::array<std::uint32_t, 31> kSystemColours = {
    0xC8C8C8, 0x000000, 0x99B4D1, 0xBFCDDB, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
    0x000000, 0x000000, 0xB4B4B4, 0xF4F7FC, 0xABABAB, 0x0078D7, 0xFFFFFF, 0xF0F0F0,
    0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
    0xFFFFE1, 0xB5B5B5, 0x0066CC, 0xB9D1EA, 0xD7E4F2, 0x0078D7, 0xF0F0F0,
};

constexpr std::uint32_t kSystemColourFlag = 0x80000000u;

} // namespace

int resolveColour(int colour) {
    const auto value = static_cast<std::uint32_t>(colour);
    if ((value & 0xFF000000u) == kSystemColourFlag) {
        const std::uint32_t index = value & 0x00FFFFFFu;
        if (index < kSystemColours.size()) {
            const std::uint32_t rgb = kSystemColours[index];
            return fromRgb({int(rgb >> 16), int((rgb >> 8) & 0xFF), int(rgb & 0xFF)});
        }
    }
    return static_cast<int>(value & 0x00FFFFFFu);
}

Rgb toRgb(int colour) {
    const int c = resolveColour(colour);
    return {c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF};
}

int fromRgb(Rgb rgb) {
    return (rgb.red & 0xFF) | ((rgb.green & 0xFF) << 8) | ((rgb.blue & 0xFF) << 16);
}

int perceivedBrightness(int colour) {
    const Rgb c = toRgb(colour);
    const double r = c.red, g = c.green, b = c.blue;
    return static_cast<int>(std::lround(std::sqrt(0.241 * r * r + 0.691 * g * g + 0.068 * b * b)));
}

int contrastColour(int colour) {
    return perceivedBrightness(colour) > 160 ? kBlack : kWhite;
}

GlyphSpec glyphSpec(Glyph glyph) {
    constexpr int grey128 = 0x808080, grey93 = 0x5D5D5D;
    switch (glyph) {
    case Glyph::Image1:
        return {GlyphShape::Pin, grey128, 16, 16};
    case Glyph::Image2:
        return {GlyphShape::Pin, kWhite, 16, 16};
    case Glyph::Image3:
        return {GlyphShape::ChevronDown, grey93, 20, 11};
    case Glyph::Image4:
        return {GlyphShape::ChevronUp, grey93, 20, 11};
    case Glyph::Image5:
        return {GlyphShape::ChevronDown, kWhite, 20, 11};
    case Glyph::Image6:
        return {GlyphShape::ChevronUp, kWhite, 20, 11};
    }
    return {GlyphShape::Pin, grey128, 16, 16};
}

BackgroundScheme backgroundScheme(int colour) {
    BackgroundScheme s;
    s.colour = colour;
    s.resolved = resolveColour(colour);
    s.captionColour = contrastColour(colour);
    const bool light = s.captionColour == kBlack;
    s.scheme = light ? Scheme::Light : Scheme::Dark;
    s.pinGlyph = light ? Glyph::Image1 : Glyph::Image2;
    s.markerColour = light ? 6118749 : kWhite;
    s.separatorColour = light ? 15658734 : 4934475;
    return s;
}

Glyph expandGlyph(Scheme scheme, int clientHeight, Glyph current) {
    const bool light = scheme == Scheme::Light;
    if (clientHeight > 350)
        return light ? Glyph::Image4 : Glyph::Image6;
    if (clientHeight < 350)
        return light ? Glyph::Image3 : Glyph::Image5;
    return current;
}

BackgroundScheme NastaviOzadje(Config& config, Messages& messages, int colour,
                               const std::function<void(const BackgroundScheme&)>& paint) {
    const BackgroundScheme scheme = backgroundScheme(colour);
    if (paint)
        paint(scheme);
    try {
        config.write(cfg::ColorPall, colour);
    } catch (const IniWriteError& e) {
        messages.show(MessageIcon::Error, e.what());
    }
    return scheme;
}

} // namespace trov
