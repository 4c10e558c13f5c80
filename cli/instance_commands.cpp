#include "cli/commands.h"

#include <ostream>

namespace trov::cli {

int runToggle(Context& ctx) {
    ctx.err << "Trov is not running\n";
    return kExitFailed;
}

int runShow(Context& ctx) {
    ctx.err << "Trov is not running\n";
    return kExitFailed;
}

} // namespace trov::cli
