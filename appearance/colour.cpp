#include "appearance/colour.h"

#include <cmath>

namespace trov {

int perceivedBrightness(int colour) {
    const double r = redOf(colour);
    const double g = greenOf(colour);
    const double b = blueOf(colour);
    return static_cast<int>(std::lround(std::sqrt(0.241 * r * r + 0.691 * g * g + 0.068 * b * b)));
}

int contrastColour(int colour) {
    return perceivedBrightness(colour) > 160 ? kBlack : kWhite;
}

} // namespace trov
