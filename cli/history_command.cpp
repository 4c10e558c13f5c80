// SPDX-License-Identifier: GPL-3.0-or-later
// trovctl history: prints a history store as the CSV export, or fills one from a CSV file.

#include "cli/commands.h"
#include "history/history_csv.h"
#include "history/history_store.h"

#include <ostream>

namespace trov::cli {

namespace {

HistoryList readStore(const std::string& path) {
    HistoryList list;
    HistoryFileProblem problem;
    if (!readHistoryFile(path, list, &problem))
        throw OperationError(problem.path + ": " + problem.reason);
    return list;
}

int listHistory(Context& ctx, const std::optional<std::string>& store) {
    const std::string path = store ? *store : ctx.dataFolder.file(kHistoryStoreName);
    // A data folder without a store has an empty history; a named file must be there.
    if (!store && !pathExists(path))
        return kExitDone;
    ctx.out << historyCsv(readStore(path).rows);
    ctx.out.flush();
    return kExitDone;
}

int importCsv(const std::string& csv, const std::string& store) {
    // Read and written under the store's lock, so a running trov's write comes before or
    // after, and then takes these rows as another program's.
    const StoreFile::Lock lock = StoreFile(store).lock();
    HistoryList list = pathExists(store) ? readStore(store) : HistoryList{};
    FileError error;
    const auto bytes = readWholeFile(csv, &error);
    if (!bytes)
        throw OperationError(csv + ": " +
                             (error.reason.empty() ? "No such file or directory" : error.reason));
    list.rows = parseHistoryCsv(*bytes);
    if (!writeHistoryFile(store, list, &error))
        throw OperationError(error.path + ": " + error.reason);
    return kExitDone;
}

} // namespace

int runHistory(Context& ctx) {
    const std::optional<std::string> store = ctx.args.option("--store");
    const std::vector<std::string> words = ctx.args.positionals();
    if (words.empty())
        throw UsageError("history needs a subcommand: list, import-csv");
    if (words[0] == "list") {
        if (words.size() != 1)
            throw UsageError("history list takes no words; usage: trovctl history list "
                             "[--store FILE]");
        return listHistory(ctx, store);
    }
    if (words[0] == "import-csv") {
        if (words.size() != 2)
            throw UsageError("history import-csv needs one CSV file; usage: trovctl history "
                             "import-csv CSV --store FILE");
        if (!store)
            throw UsageError("history import-csv needs --store FILE");
        return importCsv(words[1], *store);
    }
    throw UsageError("unknown history subcommand " + words[0] + "; subcommands: list, import-csv");
}

} // namespace trov::cli
