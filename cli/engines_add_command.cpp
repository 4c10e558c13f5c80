// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commands.h"
#include "compose/engine_add.h"

#include <ostream>

namespace trov::cli {

int addEngine(Context& ctx, const std::vector<std::string>& words,
              const std::optional<std::string>& key, const std::optional<std::string>& name) {
    if (words.size() != 2)
        throw UsageError("engines add needs one SOURCE: a file or an http(s) address");
    const EngineAdded added =
        trov::addEngine(ctx.dataFolder.file(kOwnEnginesFileName), {words[1], key, name});
    switch (added.status) {
    case EngineAdded::Status::Added:
        ctx.out << added.section << "\n";
        return kExitDone;
    case EngineAdded::Status::KeyRefused:
        throw UsageError("--key: " + added.reason);
    case EngineAdded::Status::Failed:
        break;
    }
    ctx.err << "trovctl: " << added.reason << "\n";
    return kExitFailed;
}

} // namespace trov::cli
