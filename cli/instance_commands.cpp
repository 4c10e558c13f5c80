#include "cli/commands.h"
#include "platform/instance_socket.h"
#include "platform/paths.h"

#include <ostream>

namespace trov::cli {

namespace {

// The window program beside trovctl (or in the build tree's app/ folder) is the one asked.
int sendToWindowProgram(Context& ctx, std::string_view message) {
    if (!ctx.args.positionals().empty()) // an unknown option throws there
        throw UsageError(std::string(message) + " takes no arguments");
    for (const std::string& program : platform::windowProgramCandidates(platform::executableDir()))
        if (platform::sendInstanceMessage(platform::instanceSocketPath(program), message))
            return kExitDone;
    ctx.err << "Trov is not running\n";
    return kExitFailed;
}

} // namespace

int runToggle(Context& ctx) {
    return sendToWindowProgram(ctx, platform::kToggleMessage);
}

int runShow(Context& ctx) {
    return sendToWindowProgram(ctx, platform::kShowMessage);
}

} // namespace trov::cli
