#pragma once

// The two writes of the form's settings to YY.cfg: a pin button's list index, and the
// collapsed window's position with the start-up choice.

#include "compose/form_model.h"
#include "settings/config.h"

namespace trov {

// Writes the current index of list n (1 browser to 6 time period) under Pin, then in every
// case the background colour as Color Pall. Another n writes the colour only. Throws
// IniWriteError at the key that could not be written.
void SavePin(const FormModel& model, int n, Config& config, int backgroundColour);

// Writes Velikost Levo and Gor (the window's normal position) and Config load.
void SaveSettings(const FormModel& model, Config& config, int left, int top);

} // namespace trov
