#include "cli/commands.h"

#include <ostream>

namespace trov::cli {

int runHistory(Context& ctx) {
    ctx.err << "trovctl: history is not available in this build\n";
    return kExitFailed;
}

} // namespace trov::cli
