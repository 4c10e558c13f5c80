// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commands.h"

namespace trov::cli {

const Command kCommands[] = {
    {"compose", "print the address Go would open",
     "Usage: trovctl compose [OPTIONS] [WORDS...]\n"
     "Prints the address Go would open, on one line.\n\n"
     "  --words TEXT        the search words exactly as typed (instead of WORDS)\n"
     "  --engine E          google, bing, duckduckgo, ask, swisscows, wolframalpha,\n"
     "                      wikipedia, urbandictionary (default google), or an own\n"
     "                      engine of engines.cfg by its name or key\n"
     "  --kind TEXT         an entry of the engine's search-kind list (\"Images\");\n"
     "                      not with an own engine\n"
     "  --exact TEXT        the exact word or phrase\n"
     "  --exclude TEXT      the words to exclude\n"
     "  --site TEXT         the site or domain\n"
     "  --period TEXT       a time period (\"Past week\"); not with an own engine\n"
     "  --filetype TEXT     a file type by its label or extension (\"pdf\")\n"
     "  --country TEXT      a country by its label or two-letter code (\"DE\")\n"
     "  --language TEXT     a result language by its label or code (\"de\")\n"
     "  --interface TEXT    an interface language by its label or code\n"
     "  --browser TEXT      a browser entry as trovctl browsers prints it\n"
     "  --collapsed         compose as the collapsed window does\n"
     "  --open              also open the address\n"
     "  --private           with --open, open it in the browser's private window\n"
     "  --verbose           also print the opener\n"
     "Labels and codes compare without case. A value outside its list is a usage error\n"
     "that lists the accepted values. Words that start with an own engine's key and\n"
     "more words search with that engine, without the key.\n",
     runCompose},
    {"crawl", "run the Links engine: search a site or extract its links",
     "Usage: trovctl crawl --mode MODE --site SITE [OPTIONS]\n"
     "       trovctl crawl --mode all-links|internal-links --site SITE --check\n"
     "                     [--report FILE] [OPTIONS]\n\n"
     "  --mode MODE          subpages, site, all-links, internal-links or list\n"
     "  --site SITE          the site field (for list: line 1 of the list file)\n"
     "  --words TEXT, --exact TEXT, --exclude TEXT   the search fields\n"
     "  --list FILE          the link-list file for --mode list\n"
     "  --export-links FILE, --export-data FILE      write the exports after the crawl\n"
     "  --open               open the result page\n"
     "  --quiet              no progress line\n"
     "  --no-robots          do not read robots.txt: fetch what the mode would without it\n"
     "  --sitemap            also take the addresses of the site's sitemaps\n"
     "  --check              with all-links or internal-links: then request every listed\n"
     "                       address (HEAD, else GET; up to 10 redirects) and give each\n"
     "                       its final HTTP code or dns, refused, timeout, tls,\n"
     "                       redirect-loop or robots\n"
     "  --report FILE        with --check, write the report to FILE: .csv or .json\n\n"
     "Every fetch obeys the site's robots.txt unless --no-robots is given; a crawl\n"
     "it kept from some pages ends with \"robots.txt: N pages not fetched\" on stderr.\n"
     "Ctrl+C once stops with partial results; twice cancels (exit 130); during the\n"
     "check it cancels the check.\n"
     "--check ends with \"links: N checked, K problems\" on stderr (a code of 400 or\n"
     "more, or an error other than robots, is a problem) and exits 5 when K > 0.\n",
     runCrawl},
    {"robots", "tell whether robots.txt lets the crawler fetch an address",
     "Usage: trovctl robots [--rules FILE] [--agent NAME] URL\n"
     "Prints \"allowed\", or \"disallowed by line N: \" and that line of robots.txt.\n\n"
     "  --rules FILE         decide against FILE instead of the site's robots.txt\n"
     "  --agent NAME         the product token the groups are matched against\n"
     "                       (default Trov)\n\n"
     "Exit 0 allowed, 1 disallowed, 2 a usage error, 3 the site's robots.txt could not\n"
     "be read (a server error or no answer: the crawler fetches nothing from that host).\n",
     runRobots},
    {"history", "list or import the search history",
     "Usage: trovctl history list [--store FILE]\n"
     "       trovctl history import-csv CSV --store FILE\n",
     runHistory},
    {"suggest", "list, add, match or delete search suggestions",
     "Usage: trovctl suggest list | add TEXT | match KEY | delete TEXT\n", runSuggest},
    {"browsers", "print the browser list",
     "Usage: trovctl browsers\n"
     "Prints the browser list as the window shows it, the default browser marked\n"
     "\" (Default)\".\n",
     runBrowsers},
    {"engines", "list own engines, ask one for suggestions, add one from a site",
     "Usage: trovctl engines\n"
     "       trovctl engines suggest NAME TEXT\n"
     "       trovctl engines add SOURCE [--key KEY] [--name NAME]\n\n"
     "engines prints the built-in engines as --engine names them, then each own engine\n"
     "of engines.cfg in the data folder as its name, a TAB, its key, a TAB and its\n"
     "address, then, where set, TAB browser=, TAB private=true and TAB suggest=.\n"
     "engines suggest asks the own engine NAME (name or key) for suggestions for TEXT\n"
     "with its Suggest address and prints them, one a line.\n"
     "engines add appends the engine an OpenSearch description describes to\n"
     "engines.cfg and prints its name. SOURCE is a file or an http(s) address of the\n"
     "description, or of a web page that links one; --key gives it a key, --name a\n"
     "name instead of its ShortName.\n",
     runEngines},
    {"toggle", "show or hide the running window program", "Usage: trovctl toggle\n", runToggle},
    {"show", "show the running window program", "Usage: trovctl show\n", runShow},
};

const std::size_t kCommandCount = sizeof kCommands / sizeof kCommands[0];

} // namespace trov::cli
