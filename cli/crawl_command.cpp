#include "cli/commands.h"

#include <ostream>

namespace trov::cli {

int runCrawl(Context& ctx) {
    ctx.err << "trovctl: crawl is not available in this build\n";
    return kExitFailed;
}

} // namespace trov::cli
