// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window/kind_box.h"

#include <QEvent>

namespace trov {

void KindBox::showPopup() {
    if (!listShown_) {
        listShown_ = true;
        if (fontPending_) {
            // What the combo box would have done when the font was set.
            QEvent fontChange(QEvent::FontChange);
            QComboBox::changeEvent(&fontChange);
        }
    }
    QComboBox::showPopup();
}

void KindBox::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange && !listShown_) {
        fontPending_ = true;
        QWidget::changeEvent(event);
        return;
    }
    QComboBox::changeEvent(event);
}

} // namespace trov
