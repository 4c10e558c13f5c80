// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/colour_picker.h"

#include "appearance/grab_window.h"

#include <QApplication>
#include <QThread>
#include <QWidget>

namespace trov {

ColourPicker::ColourPicker(QWidget* mainWindow, RecentColours& recent, Hooks hooks)
    : main_(mainWindow), recent_(recent), hooks_(std::move(hooks)),
      fColor_(std::make_unique<TfColor>()) {
    fColor_->setPick(&pick_, [this](int colour) {
        toFront();
        if (hooks_.applyBackground)
            hooks_.applyBackground(colour);
    });
}

ColourPicker::~ColourPicker() = default;

void ColourPicker::toFront() {
    if (!main_)
        return;
    main_->raise();
    main_->activateWindow();
}

int ColourPicker::run() {
    pick_.begin(hooks_.currentBackground ? hooks_.currentBackground() : 0);

    // The main window must be off the screen before the photograph is taken.
    QApplication::processEvents();
    const bool wasVisible = main_ && main_->isVisible();
    if (main_)
        main_->hide();
    QApplication::processEvents();
    QThread::msleep(125);

    const Photograph photograph = hooks_.grab ? hooks_.grab() : Photograph{};
    fColor_->setPhotograph(photograph.image, photograph.origin);
    QApplication::processEvents();
    if (main_ && wasVisible)
        main_->show();
    toFront();

    fColor_->exec();

    fColor_->clearPhotograph();
    QThread::msleep(250);
    QApplication::processEvents();
    const int colour = pick_.result();
    if (hooks_.applyBackground)
        hooks_.applyBackground(colour);
    toFront();
    recent_.Nalozi(colour);
    return colour;
}

} // namespace trov
