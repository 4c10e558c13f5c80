#include "cli/commands.h"
#include "compose/engines.h"

#include <ostream>

namespace trov::cli {

OwnEngines readOwnEngines(Context& ctx) {
    OwnEngines engines = trov::readOwnEngines(ctx.dataFolder.file(kOwnEnginesFileName));
    for (const InvalidEngine& invalid : engines.invalid)
        ctx.err << kOwnEnginesFileName << ": " << invalidEngineLine(invalid) << "\n";
    return engines;
}

int runEngines(Context& ctx) {
    if (!ctx.args.positionals().empty())
        throw UsageError("engines takes no arguments");
    for (const EngineInfo& e : kEngines)
        if (e.engine != SearchEngine::Links)
            ctx.out << e.cliName << "\n";
    for (const OwnEngine& e : readOwnEngines(ctx).engines)
        ctx.out << e.name << "\t" << e.key << "\t" << e.address << "\n";
    return kExitDone;
}

} // namespace trov::cli
