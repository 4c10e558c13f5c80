// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Printing the viewer's text: plain text at 12 points, one text line per printed line, in
// order, a new page whenever the page is full.

#include <QString>

class QFont;
class QPrinter;

namespace trov {

// False when the printer cannot be started or a page cannot be added; the job ends there.
bool printPlainText(QPrinter& printer, const QString& text, const QFont& font);

} // namespace trov
