// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Acting on a window that a modal loop shows: act runs from inside that loop, once.

#include <QTimer>
#include <QWidget>
#include <functional>

namespace trov::test {

// Polls widget() every 10 ms and runs act on it the first time it is shown.
inline void whenShown(std::function<QWidget*()> widget, std::function<void(QWidget*)> act) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout,
                     [poll, widget = std::move(widget), act = std::move(act)] {
                         if (QWidget* w = widget(); w && w->isVisible()) {
                             poll->stop();
                             poll->deleteLater();
                             act(w);
                         }
                     });
    poll->start(10);
}

} // namespace trov::test
