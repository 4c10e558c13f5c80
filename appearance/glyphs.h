#pragma once

// The six glyph sources of the main window, drawn in code on a transparent background.

#include "appearance/colour.h"

#include <QColor>
#include <QPixmap>

namespace trov {

// A Windows colour value as a QColor (red in the low byte).
QColor toQColor(int colour);
int fromQColor(const QColor& colour);

QPixmap drawGlyph(Glyph glyph);

} // namespace trov
