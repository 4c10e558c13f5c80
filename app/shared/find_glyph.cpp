// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shared/find_glyph.h"

#include <QPainter>
#include <QPixmap>

namespace trov {

QIcon findGlyph() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x30, 0x40, 0x50), 3.5));
    p.drawEllipse(QRectF(4, 4, 17, 17));
    p.setPen(QPen(QColor(0x30, 0x40, 0x50), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(19.5, 19.5), QPointF(27, 27));
    p.end();
    return QIcon(pixmap);
}

} // namespace trov
