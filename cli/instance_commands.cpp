// SPDX-License-Identifier: GPL-3.0-or-later
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
    // A folder that is not the user's own alone may hold anybody's socket: not talked to.
    const platform::InstanceFolder folder = platform::instanceFolder(false);
    if (!folder.problem.empty()) {
        ctx.err << folder.problem << '\n';
        return kExitFailed;
    }
    for (const std::string& program : platform::windowProgramCandidates(platform::executableDir()))
        if (!folder.path.empty() &&
            platform::sendInstanceMessage(platform::instanceSocketPath(folder.path, program),
                                          message))
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
