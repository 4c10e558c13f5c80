#include "cli/commands.h"

namespace trov::cli {

const Command kCommands[] = {
    {"compose", "print the address Go would open", "Usage: trovctl compose [OPTIONS] [WORDS...]\n",
     runCompose},
    {"crawl", "run the Links engine: search a site or extract its links",
     "Usage: trovctl crawl --mode MODE --site SITE [OPTIONS]\n\n"
     "  --mode MODE          subpages, site, all-links, internal-links or list\n"
     "  --site SITE          the site field (for list: line 1 of the list file)\n"
     "  --words TEXT, --exact TEXT, --exclude TEXT   the search fields\n"
     "  --list FILE          the link-list file for --mode list\n"
     "  --export-links FILE, --export-data FILE      write the exports after the crawl\n"
     "  --open               open the result page\n"
     "  --quiet              no progress line\n\n"
     "Ctrl+C once stops with partial results; twice cancels (exit 130).\n",
     runCrawl},
    {"history", "list or import the search history",
     "Usage: trovctl history list [--store FILE]\n"
     "       trovctl history import-csv CSV --store FILE\n",
     runHistory},
    {"suggest", "list, add, match or delete search suggestions",
     "Usage: trovctl suggest list | add TEXT | match KEY | delete TEXT\n", runSuggest},
    {"browsers", "print the browser list", "Usage: trovctl browsers\n", runBrowsers},
    {"toggle", "show or hide the running window program", "Usage: trovctl toggle\n", runToggle},
    {"show", "show the running window program", "Usage: trovctl show\n", runShow},
};

const std::size_t kCommandCount = sizeof kCommands / sizeof kCommands[0];

} // namespace trov::cli
