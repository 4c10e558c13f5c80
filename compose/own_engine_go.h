// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Go with an own engine: the field checks, the history record, the suggestion and the
// browser rule of the engine buttons (or the engine's own browser and private window),
// the address from the engine's template.

#include "common/translatable.h"
#include "compose/go.h"
#include "compose/own_engines.h"

namespace trov {

inline constexpr char kEngineBrowserMissing[] =
    TROV_TEXT("Core", "Engine \"%1\" opens in \"%2\", which is not in the browser list.");

// Runs the own engine with the form's fields; the words lose the engine's own key when
// they start with it, so a search started by its keyword runs the same way again. The
// engine is taken as a copy: a box shown on the way runs the window's events, and the list
// it came from may be read again from engines.cfg meanwhile.
GoOutcome goOwnEngine(const FormModel& model, OwnEngine engine, GoServices& services);

// Go or Enter: words that start with an own engine's key and more words run that engine
// (never while Links is selected); anything else is the Go of the selected button.
GoOutcome goWithKeywords(const FormModel& model, const OwnEngines& engines, GoServices& services);

} // namespace trov
