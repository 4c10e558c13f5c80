// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commands.h"
#include "compose/browser_list.h"
#include "platform/browsers.h"

#include <ostream>

namespace trov::cli {

int runBrowsers(Context& ctx) {
    if (!ctx.args.positionals().empty())
        throw UsageError("browsers takes no arguments");
    for (const BrowserEntry& entry : nalozibrskalnike(platform::XdgBrowserRegistry()))
        ctx.out << entry.text << "\n";
    return kExitDone;
}

} // namespace trov::cli
