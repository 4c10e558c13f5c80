// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One run of "Color picker": the main window steps aside while the desktop is
// photographed, the photograph is shown full-screen, the colour under the mouse is
// previewed as the background, and the colour taken (or, after a cancel, the one from
// before) is applied and put at the front of the recent colours.

#include "appearance/colour_pick.h"
#include "appearance/recent_colours.h"
#include "appearance/screen_grab.h"

#include <functional>
#include <memory>

class QWidget;

namespace trov {

class TfColor;

class ColourPicker {
public:
    struct Hooks {
        std::function<int()> currentBackground;
        // The main window's way of applying (and storing) a background colour.
        std::function<void(int)> applyBackground;
        // Photographs the desktop; GrabScreen unless a test gives a picture of its own.
        std::function<Photograph()> grab = GrabScreen;
    };

    // mainWindow may be null (nothing to hide or bring to the front).
    ColourPicker(QWidget* mainWindow, RecentColours& recent, Hooks hooks);
    ~ColourPicker();

    // Runs one pick and returns the colour applied at its end.
    int run();

    TfColor* grabWindow() const { return fColor_.get(); }

private:
    void toFront();

    QWidget* main_;
    RecentColours& recent_;
    Hooks hooks_;
    ColourPick pick_;
    std::unique_ptr<TfColor> fColor_;
};

} // namespace trov
