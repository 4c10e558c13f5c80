// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What Qt's accessibility leaves unsaid on Linux: a combo box there is named by its current
// value (Qt counts on the label's relation instead), and a checkable tool button is read as
// a check box. Installed once, this names a combo box that has an accessible name by that
// name, whenever it is given (its value stays its value) and reads a tool button of an exclusive
// row as a radio button with its checked state (a button marked with the property kRadioProperty).

class QObject;

namespace trov {

inline constexpr char kRadioProperty[] = "trovRadio";

void installAccessibleControls();

} // namespace trov
