#include "cli/commands.h"

#include <ostream>

namespace trov::cli {

int runSuggest(Context& ctx) {
    ctx.err << "trovctl: suggest is not available in this build\n";
    return kExitFailed;
}

} // namespace trov::cli
