// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The half of the main window below the collapsed edge: the captions, the exact, exclude
// and site fields, the six lists in their frames and the pin buttons. The window makes
// them when they are first needed, so a start that stays collapsed never pays for them.

#include "compose/form_model.h"

#include <array>

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

struct AdvancedFields {
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

    // The fields that leave the tab order while collapsed, in the order listed.
    std::array<QWidget*, 9> tabFields() const;
    // The Tab chain below the kind box as the form is drawn: each list, then its pin.
    std::array<QWidget*, 15> tabChain() const;
    // The field and its frame for each coloured field.
    FramedField coloured(ColouredField f) const;
    // The text field for Exact, Exclude and Site, and its frame; null for Words.
    QLineEdit* textField(TextField f) const;
    QFrame* textFrame(TextField f) const;
};

// Builds the advanced fields on the main window's background panel (pAll), in the order
// the window's tab chain and stacking expect them.
void buildAdvancedFields(QWidget* pAll, AdvancedFields& a);

} // namespace trov
