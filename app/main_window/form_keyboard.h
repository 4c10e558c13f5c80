// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window from the keyboard: the engine row is one stop of the Tab chain (the chosen
// engine), the arrow keys move along it and Space or Enter chooses; Enter presses a focused
// flat button as Space does; F10 and the Menu key open the main menu. A focus frame in the
// scheme's focus colour is drawn around whatever has the focus, on any background.

#include <QObject>
#include <QPointer>
#include <array>
#include <functional>

class QAbstractButton;
class QButtonGroup;
class QWidget;

namespace trov {

class FocusFrame;

class FormKeyboard : public QObject {
    Q_OBJECT
public:
    // window: the main window; engines: the engine row in its order; openMenu: the main menu.
    FormKeyboard(QWidget* window, QButtonGroup* engines, std::function<void()> openMenu);

    // A flat button Enter presses (the search box's buttons, expand, the pins).
    void addButton(QAbstractButton* button);
    // The focus frame's colour: light or dark background.
    void setDarkBackground(bool dark);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void engineTabStop();
    void focusChanged(QWidget* now);

    QWidget* window_;
    QButtonGroup* engines_;
    FocusFrame* frame_;
};

} // namespace trov
