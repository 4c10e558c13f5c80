// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The magnifier glyph of the find buttons, drawn in code so no icon theme is needed.

#include <QIcon>

namespace trov {

QIcon findGlyph();

} // namespace trov
