#include "cli/commands.h"

#include <ostream>

namespace trov::cli {

int runCompose(Context& ctx) {
    ctx.err << "trovctl: compose is not available in this build\n";
    return kExitFailed;
}

} // namespace trov::cli
