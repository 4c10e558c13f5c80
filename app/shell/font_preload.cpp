// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/font_preload.h"

#include <fontconfig/fontconfig.h>

namespace trov {

// Fontconfig keeps the configuration this loads as its current one, so the window's own
// font database finds it loaded; two loads at once would both do the work, hence wait().
// The load runs at the program's own priority: a thread lowered to idle priority could not
// be raised again by an ordinary user, and on a busy desktop the window would wait for it.
FontPreload::FontPreload() : loader_([] { FcInit(); }) {}

FontPreload::~FontPreload() {
    wait();
}

void FontPreload::wait() {
    if (loader_.joinable())
        loader_.join();
}

} // namespace trov
