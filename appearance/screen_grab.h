// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The photograph of the whole desktop for the colour picker.

#include <QImage>
#include <QPoint>

namespace trov {

struct Photograph {
    QImage image;
    QPoint origin; // desktop position of the image's top-left pixel
};

// Every screen photographed and composed into one picture at its place on the desktop.
// Screens left of or above the primary one are included: the picture starts at the
// desktop's top-left corner, wherever that is. Areas no screen covers stay black.
Photograph GrabScreen();

} // namespace trov
