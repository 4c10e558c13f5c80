// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Background colours and the light and dark schemes they select. A colour is a Windows
// colour value: red in the low byte, then green, then blue; that is how YY.cfg, the
// settings files and the colour stores hold it.

#include <cstdint>
#include <functional>

namespace trov {

class Config;
class Messages;

inline constexpr int kBlack = 0;
inline constexpr int kWhite = 16777215;

constexpr int colourValue(int red, int green, int blue) {
    return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};

// A stored value may be a Windows system-colour reference (0x80000000 | index, as written
// by the Windows program's settings files); it is replaced by that colour's classic value.
// Any other value keeps its three low bytes.
int resolveColour(int colour);
Rgb toRgb(int colour); // of the resolved colour
int fromRgb(Rgb rgb);

// The perceived brightness p: the nearest integer to sqrt(0.241 R² + 0.691 G² + 0.068 B²).
int perceivedBrightness(int colour);
// Black (0) for p > 160, otherwise white (16777215).
int contrastColour(int colour);

// The hidden glyph sources of the main window.
enum class Glyph {
    Image1, // push-pin, grey 128: pin buttons on a light background
    Image2, // push-pin, white: pin buttons on a dark background
    Image3, // chevron down (expand), grey 93
    Image4, // chevron up (collapse), grey 93
    Image5, // chevron down (expand), white
    Image6, // chevron up (collapse), white
};

enum class GlyphShape { Pin, ChevronDown, ChevronUp };

struct GlyphSpec {
    GlyphShape shape;
    int colour;
    int width;
    int height;
};

GlyphSpec glyphSpec(Glyph glyph);

enum class Scheme { Light, Dark };

// Everything a background colour decides in the window's foreground.
struct BackgroundScheme {
    int colour = 0;   // the value as applied and stored
    int resolved = 0; // plain red, green and blue
    Scheme scheme = Scheme::Light;
    int captionColour = kBlack; // the nine field captions
    Glyph pinGlyph = Glyph::Image1;
    int markerColour = 6118749;     // PanelMarker under the pressed engine button
    int separatorColour = 15658734; // Crta
};

BackgroundScheme backgroundScheme(int colour);

// The expand button's glyph for a client height: the collapse arrow above 350, the expand
// arrow below; at exactly 350 the current glyph stays.
Glyph expandGlyph(Scheme scheme, int clientHeight, Glyph current);

// `NastaviOzadje` as far as it is a decision: the scheme of the colour, handed to paint,
// and then [Color] Pall stored at once. A refused write is reported through messages
// ("Unable to write to ...") with the colour already painted in full.
BackgroundScheme NastaviOzadje(Config& config, Messages& messages, int colour,
                               const std::function<void(const BackgroundScheme&)>& paint = {});

} // namespace trov
