// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The six glyph sources of the main window, drawn in code on a transparent background.

#include "appearance/colour.h"
#include "appearance/qt_colour.h"

#include <QColor>
#include <QPixmap>

namespace trov {

QPixmap drawGlyph(Glyph glyph);

} // namespace trov
