#pragma once

// The controls of the main window and where they sit: the search box, the engine row, the
// advanced fields with their captions and pin buttons, and the hidden markers. Building
// them is all this does; TMainForm gives them their behaviour.

#include "compose/form_model.h"
#include "compose/search_engine.h"

#include <QPixmap>
#include <array>

class QButtonGroup;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QToolButton;
class QWidget;

namespace trov {

// A text field or list in the thin frame whose face the field colouring paints.
struct FramedField {
    QFrame* frame = nullptr;
    QWidget* field = nullptr;
};

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

    QFrame* xiExact = nullptr;
    QLineEdit* eexact = nullptr;
    QFrame* xiExclude = nullptr;
    QLineEdit* eexclude = nullptr;
    QFrame* xiDomain = nullptr;
    QLineEdit* edomain = nullptr;
    QComboBox* cb6 = nullptr; // time period
    QComboBox* cb5 = nullptr; // file type
    QComboBox* cb3 = nullptr; // country
    QComboBox* cb2 = nullptr; // language
    QComboBox* lb = nullptr;  // browser
    QComboBox* cb1 = nullptr; // interface
    // The frames of the six lists, in ColouredField order for the list fields.
    QFrame* fLb = nullptr;
    QFrame* fCb1 = nullptr;
    QFrame* fCb3 = nullptr;
    QFrame* fCb2 = nullptr;
    QFrame* fCb6 = nullptr;
    QFrame* fCb5 = nullptr;

    // Pin buttons by pin number 1 to 6 (index 0 unused).
    std::array<QToolButton*, 7> pins{};
    // Label10, Label11, Label12, Label14, Label8, Label4, Label3, Label2, Label1.
    std::array<QLabel*, 9> captions{};

    // The advanced fields that leave the tab order while collapsed, in the order listed.
    std::array<QWidget*, 9> advancedFields() const;
    // The field and its frame for each coloured field.
    FramedField coloured(ColouredField f) const;
    // The text field for a TextField, and its frame (XiPanel1 for eURL).
    QLineEdit* textField(TextField f) const;
    QFrame* textFrame(TextField f) const;
};

// Builds every control on window (client area 458 wide); the window's own size is left
// to the caller.
void buildMainFormLayout(QWidget* window, MainFormWidgets& w);

// The program's icon and the small pictures of the search box's buttons, drawn in code.
QPixmap trovIconPixmap(int size);
QPixmap goGlyph();
QPixmap broomGlyph();
QPixmap menuGlyph();
QPixmap engineGlyph(SearchEngine engine);

} // namespace trov
