// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/glyphs.h"

#include <QPainter>
#include <QPainterPath>

namespace trov {

namespace {

// A push-pin lying diagonally: the round head up right, the needle down left.
void drawPin(QPainter& p, const QColor& colour) {
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(8, 8);
    p.rotate(45);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(-3, -7, 6, 2), 1, 1);  // head
    p.drawRect(QRectF(-2, -5, 4, 5));               // body
    p.drawRoundedRect(QRectF(-4.5, 0, 9, 2), 1, 1); // collar
    p.setPen(QPen(colour, 1.2));
    p.drawLine(QPointF(0, 2), QPointF(0, 8)); // needle
}

// A chevron of two-pixel strokes across the 20 x 11 glyph.
void drawChevron(QPainter& p, const QColor& colour, bool down) {
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(colour, 2);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    const qreal top = 2, bottom = 9;
    QPainterPath path;
    path.moveTo(3, down ? top : bottom);
    path.lineTo(10, down ? bottom : top);
    path.lineTo(17, down ? top : bottom);
    p.drawPath(path);
}

} // namespace

QPixmap drawGlyph(Glyph glyph) {
    const GlyphSpec glyphShape = glyphSpec(glyph);
    QPixmap pixmap(glyphShape.width, glyphShape.height);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    const QColor colour = toQColor(glyphShape.colour);
    switch (glyphShape.shape) {
    case GlyphShape::Pin:
        drawPin(p, colour);
        break;
    case GlyphShape::ChevronDown:
        drawChevron(p, colour, true);
        break;
    case GlyphShape::ChevronUp:
        drawChevron(p, colour, false);
        break;
    }
    return pixmap;
}

} // namespace trov
