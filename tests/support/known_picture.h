// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A picture whose every pixel's colour a test knows, for the screen colour picker.

#include <QColor>
#include <QImage>
#include <QPainter>

namespace trov::test {

// Left half red, right half green, a blue bottom strip: 100 by 60 pixels.
inline QImage knownPicture() {
    QImage image(100, 60, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, 50, 40, QColor(255, 0, 0));
    painter.fillRect(50, 0, 50, 40, QColor(0, 255, 0));
    painter.fillRect(0, 40, 100, 20, QColor(0, 0, 255));
    return image;
}

} // namespace trov::test
