#include "cli/commands.h"

#include <ostream>

namespace trov::cli {

int runBrowsers(Context& ctx) {
    ctx.err << "trovctl: browsers is not available in this build\n";
    return kExitFailed;
}

} // namespace trov::cli
