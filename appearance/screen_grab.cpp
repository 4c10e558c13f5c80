// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/screen_grab.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

namespace trov {

Photograph GrabScreen() {
    QRect desktop;
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (const QScreen* screen : screens)
        desktop = desktop.united(screen->geometry());
    if (desktop.isEmpty())
        return {};
    QImage image(desktop.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    for (QScreen* screen : screens) {
        const QPixmap shot = screen->grabWindow(0);
        const QRect place = screen->geometry().translated(-desktop.topLeft());
        // A scaled screen gives more pixels than its geometry; one per desktop point here.
        painter.drawPixmap(place, shot);
    }
    painter.end();
    return {image, desktop.topLeft()};
}

} // namespace trov
