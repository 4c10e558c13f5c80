// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/colour_pick.h"

namespace trov {

void ColourPick::begin(int background) {
    before_ = background;
    picked_ = background;
    accepted_ = false;
}

std::optional<int> ColourPick::moved(int pixel) {
    if (lastPreview_ == pixel)
        return std::nullopt;
    lastPreview_ = pixel;
    return pixel;
}

bool ColourPick::pressed(PickButton button, int pixel) {
    switch (button) {
    case PickButton::Left:
        picked_ = pixel;
        accepted_ = true;
        return true;
    case PickButton::Right:
        accepted_ = false;
        return true;
    case PickButton::Other:
        break;
    }
    return false;
}

} // namespace trov
