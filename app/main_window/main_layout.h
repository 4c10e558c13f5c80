// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The controls of the collapsed main window and where they sit: the search box, the engine
// row, the kind box and the hidden markers. Building them is all this does; TMainForm
// gives them their behaviour.

#include "compose/search_engine.h"

#include <QPixmap>
#include <QRect>
#include <array>

class QButtonGroup;
class QComboBox;
class QFrame;
class QLineEdit;
class QToolButton;
class QWidget;

namespace trov {

struct MainFormWidgets {
    QWidget* pAll = nullptr;
    QFrame* XiPanel1 = nullptr; // the search box's frame
    QLineEdit* eURL = nullptr;
    QToolButton* xiGO = nullptr;
    QToolButton* xiMetla = nullptr;
    QToolButton* xiHamburger = nullptr;

    std::array<QToolButton*, kEngineCount> engines{};
    QButtonGroup* engineGroup = nullptr;
    QFrame* PanelMarker = nullptr;
    QToolButton* csExpand = nullptr;
    QComboBox* cbAll = nullptr;
    QFrame* Panel4 = nullptr; // collapsed edge
    QFrame* Panel6 = nullptr; // expanded edge
    QFrame* Crta = nullptr;   // separator line under the search box
};

// Builds the collapsed window's controls on window (client area 458 wide); the window's
// own size is left to the caller. The advanced fields are built apart (advanced_fields.h).
void buildMainFormLayout(QWidget* window, MainFormWidgets& w);

// A flat button that takes the focus from Tab only; radio: one of an exclusive row.
QToolButton* flatButton(QWidget* parent, const char* name, QRect geometry, bool radio = false);

// The program's icon and the small pictures of the search box's buttons, drawn in code.
QPixmap trovIconPixmap(int size);
QPixmap goGlyph();
QPixmap broomGlyph();
QPixmap menuGlyph();
QPixmap engineGlyph(SearchEngine engine);

} // namespace trov
