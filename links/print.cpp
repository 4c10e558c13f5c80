// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/print.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QStringList>

namespace trov {

bool printPlainText(QPrinter& printer, const QString& text, const QFont& font) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    QFont printed(font);
    printed.setPointSize(12);
    painter.setFont(printed);
    const QFontMetrics metrics = painter.fontMetrics();
    const int lineHeight = metrics.lineSpacing();
    const int pageHeight = printer.height();

    QStringList lines = text.split(QLatin1Char('\n'));
    // A final line break ends the last line; it does not add an empty one.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    int y = 0;
    for (const QString& line : lines) {
        if (y > 0 && y + lineHeight > pageHeight) {
            if (!printer.newPage())
                return false;
            y = 0;
        }
        painter.drawText(0, y + metrics.ascent(), line);
        y += lineHeight;
    }
    return painter.end();
}

} // namespace trov
