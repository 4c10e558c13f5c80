// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Drives the auto-hide fade: a 150 ms timer that runs only while "Auto Hide" is checked,
// so an idle program with auto-hide off has no timer at all.

#include "window_models/fade_model.h"

#include <QObject>
#include <QPoint>
#include <QTimer>
#include <functional>

class QWidget;

namespace trov {

class AutoHideDriver : public QObject {
    Q_OBJECT
public:
    explicit AutoHideDriver(QWidget* window, QObject* parent = nullptr);

    FadeModel& model() { return model_; }
    const FadeModel& model() const { return model_; }
    bool running() const { return timer_.isActive(); }
    const QTimer& timer() const { return timer_; }

    void start();
    void stop();
    // Tray click, show: opaque and counting from the top again.
    void reset();
    // One step by hand (the timer calls it).
    void tick();

    // Tests give the cursor; the default is QCursor::pos().
    void setCursorSource(std::function<QPoint()> source) { cursor_ = std::move(source); }

signals:
    // The cursor touched the monitor's top-left corner: bring the window to the front and
    // give eURL the focus.
    void cornerReached();

private:
    QWidget* window_;
    FadeModel model_;
    QTimer timer_;
    std::function<QPoint()> cursor_;
};

} // namespace trov
