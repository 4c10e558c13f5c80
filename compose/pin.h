// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A pin button's write of the form's settings to YY.cfg: the list index it pins.

#include "compose/form_model.h"
#include "settings/config.h"

namespace trov {

// Writes the current index of list n (1 browser to 6 time period) under Pin, then in every
// case the background colour as Color Pall. Another n writes the colour only. Throws
// IniWriteError at the key that could not be written.
void SavePin(const FormModel& model, int n, Config& config, int backgroundColour);

} // namespace trov
