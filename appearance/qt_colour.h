// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Colour values (red in the low byte) as Qt colours, for every window that paints one.

#include "appearance/colour.h"

#include <QColor>

namespace trov {

inline QColor toQColor(int colour) {
    const Rgb c = toRgb(colour);
    return QColor(c.red, c.green, c.blue);
}

inline int fromQColor(const QColor& colour) {
    return fromRgb({colour.red(), colour.green(), colour.blue()});
}

} // namespace trov
