#pragma once

// Colour values as Trov stores them: red in the low byte, then green, then blue, the
// upper byte 0 (14801352 is red 200, green 217, blue 225).

#include <cstdint>

namespace trov {

inline constexpr int kBlack = 0;
inline constexpr int kWhite = 16777215;

constexpr int colourValue(int red, int green, int blue) {
    return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}
constexpr int redOf(int colour) {
    return colour & 0xFF;
}
constexpr int greenOf(int colour) {
    return (colour >> 8) & 0xFF;
}
constexpr int blueOf(int colour) {
    return (colour >> 16) & 0xFF;
}
// A plain colour value, as opposed to one with bits in the upper byte.
constexpr bool isPlainColour(long long value) {
    return value >= 0 && value <= kWhite;
}

// Perceived brightness: sqrt(0.241 R² + 0.691 G² + 0.068 B²) rounded to an integer; the
// weights add up to 1, so a grey of level g has brightness g.
int perceivedBrightness(int colour);
// Black text on colours brighter than 160, white text on the others.
int contrastColour(int colour);

} // namespace trov
