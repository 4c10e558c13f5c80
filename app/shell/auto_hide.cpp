// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/auto_hide.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace trov {

namespace {

Rect toRect(const QRect& r) {
    return {r.left(), r.top(), r.width(), r.height()};
}

} // namespace

AutoHideDriver::AutoHideDriver(QWidget* window, QObject* parent)
    : QObject(parent), window_(window), cursor_([] { return QCursor::pos(); }) {
    timer_.setInterval(kFadeTickMs);
    timer_.setTimerType(Qt::CoarseTimer);
    connect(&timer_, &QTimer::timeout, this, &AutoHideDriver::tick);
}

void AutoHideDriver::start() {
    timer_.start();
}

void AutoHideDriver::stop() {
    timer_.stop();
}

void AutoHideDriver::reset() {
    model_.reset();
    window_->setWindowOpacity(1.0);
}

void AutoHideDriver::tick() {
    FadeInputs in;
    in.minimised = window_->isMinimized();
    in.visible = window_->isVisible();
    in.active = window_->isActiveWindow();
    const QRect frame = window_->frameGeometry();
    in.window = toRect(frame);
    in.clientWidth = window_->width();
    in.clientHeight = window_->height();
    // The window is borderless: its client area starts at the frame's corner.
    const QPoint cursor = cursor_();
    in.cursor = {cursor.x(), cursor.y()};
    for (const QScreen* screen : QGuiApplication::screens())
        in.monitors.push_back(toRect(screen->geometry()));
    const FadeStep step = model_.tick(in);
    if (step.opacity)
        window_->setWindowOpacity(*step.opacity / 255.0);
    if (step.toFront)
        emit cornerReached();
}

} // namespace trov
