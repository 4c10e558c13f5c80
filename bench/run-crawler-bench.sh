#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The crawler benchmark in one run, every crawler against a fresh server on 127.0.0.1:
#
# - the generated 2,000-page site at each added latency (default 0 and 20 ms), crawled in
#   mode "site" by Trov with pages fetched ahead, by Trov one page at a time, by wget2
#   (`wget2 -r -l inf -nd --no-robots`, GET only, into a scratch folder) and by httrack;
# - the link check at each latency: the 2,000-page site with a link on every page to one of
#   200 pages of a second host (a server on 127.0.0.2), its links extracted by Trov (mode
#   "all-links") and then checked (again with six requests at once over all hosts),
#   against LinkChecker checking the same site and its external links
#   (`linkchecker --check-extern`, its per-host limit of ten requests a second lifted
#   through a configuration file and a header the server sends);
# - at 0 ms, the generated site at 20,000 pages and a markup-heavy site of 2,000 pages
#   (about 60 KB of markup around 6 KB of text a page), crawled by Trov and by wget2.
#
# BEFORE=path/to/an/older/crawler_site_bench adds that build's Trov to the two 0 ms runs,
# so a change is measured against the build before it in the same run. SCALE=0 leaves the
# 20,000-page and markup-heavy runs out, SCALE=only runs just them; CHECK=0 leaves the link
# check out. Installs wget2, httrack and linkchecker when they are missing.
#
#   bench/run-crawler-bench.sh [latency-ms ...]

set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
latencies=("$@")
[ ${#latencies[@]} -gt 0 ] || latencies=(0 20)
[ "${SCALE:-1}" != only ] || latencies=()
before="${BEFORE:-}"

missing=()
for tool in wget2 httrack linkchecker; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get install -y --no-install-recommends "${missing[@]}" >/dev/null
fi

cmake --preset bench >/dev/null
cmake --build --preset bench --target crawler_site_bench >/dev/null
bench="$root/build/bench/bench/crawler_site_bench"

work="$(mktemp -d)"
server_pid=""
cleanup() {
    if [ -n "$server_pid" ]; then
        kill "$server_pid" 2>/dev/null || true
        wait "$server_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# start_server LATENCY [PAGES [plain|markup [EXTERNAL]]]
start_server() {
    : >"$work/port"
    "$bench" serve "$@" >"$work/port" 2>"$work/served" &
    server_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/port" ] && break
        sleep 0.05
    done
    port="$(head -n1 "$work/port")"
    site="http://127.0.0.1:$port"
}

stop_server() {
    kill "$server_pid"
    wait "$server_pid" || true
    server_pid=""
    read -r pages _ _ requests _ bytes _ <"$work/served"
    bytes="${bytes%,}"
    elsewhere="$(awk '$1 == "elsewhere" { print $2 }' "$work/served")"
    again="$(grep -c '^again ' "$work/served" || true)"
}

# The line of a measured program, its pages being the requests its server answered.
report() {
    IFS='|' read -r label wall cpu rss how <"$work/raw"
    awk -v l="$label" -v p="$pages" -v q="$requests" -v w="$wall" -v c="$cpu" -v r="$rss" -v h="$how" 'BEGIN {
        printf "%-22s %6d pages  wall %7.2f s  %7.1f pages/s  CPU %6.3f ms/page  peak %6.1f MB  %d requests%s\n",
               l, p, w, p / w, c * 1000 / p, r / 1024, q, h == "stopped" ? "  (stopped)" : "" }'
    echo "$label|$wall|$(awk -v r="$rss" 'BEGIN { printf "%.1f", r / 1024 }')" >>"$work/rows"
}

# trov LABEL BINARY HOW SERVER-ARGS...: one Trov crawl against a fresh server.
trov() {
    local label="$1" binary="$2" how="$3"
    shift 3
    start_server "$@"
    "$binary" crawl "$site" "$how" >"$work/line" || true
    stop_server
    sed "s/^Trov $how  */$(printf "%-22s " "$label")/" "$work/line"
    echo "                       ($pages pages in $requests requests, $again pages asked for again, $bytes bytes downloaded)"
    awk -v l="$label" '{ for (i = 1; i <= NF; ++i) { if ($i == "wall") w = $(i + 1); if ($i == "peak") r = $(i + 1) } }
        END { printf "%s|%s|%s\n", l, w, r }' "$work/line" >>"$work/rows"
}

wget2_run() {
    start_server "$@"
    rm -rf "$work/wget2"
    "$bench" measure "wget2" \
        wget2 -r -l inf -nd --no-robots -q -P "$work/wget2" "$site/" >"$work/raw" || true
    stop_server
    rm -rf "$work/wget2"
    sync # its files reach the disk now, not during the next crawler's run
    report
}

# ratio A B: A's figure over B's, from the rows of the last section (field 2 wall, 3 peak).
ratio() {
    awk -F'|' -v a="$1" -v b="$2" -v f="$3" '$1 == a { x = $f } $1 == b { y = $f }
        END { if (x != "" && y > 0) printf "%.2f", x / y; else printf "n/a" }' "$work/rows"
}

for latency in ${latencies[@]+"${latencies[@]}"}; do
    echo "-- mode \"site\", 2,000 pages, $latency ms added latency per response"
    : >"$work/rows"
    for how in concurrent sequential; do
        trov "Trov $how" "$bench" "$how" "$latency"
    done
    wget2_run "$latency"

    # httrack with its defaults, bounded in time: it paces itself to about a page a second.
    start_server "$latency"
    rm -rf "$work/httrack"
    LIMIT="${HTTRACK_LIMIT:-60}" "$bench" measure "httrack" \
        httrack "$site/" -O "$work/httrack" -q -Q -s0 >"$work/raw" 2>/dev/null || true
    stop_server
    report
    echo "   wall time, Trov fetching ahead / wget2: $(ratio "Trov concurrent" wget2 2)"
done

if [ "${CHECK:-1}" != 0 ]; then
    printf '[checking]\nmaxrequestspersecond=1000\n' >"$work/linkcheckerrc"
    chmod a+rx "$work" && chmod a+r "$work/linkcheckerrc" # LinkChecker as root reads it as nobody
fi
for latency in ${latencies[@]+"${latencies[@]}"}; do
    [ "${CHECK:-1}" != 0 ] || break
    echo "-- link check, 2,000 pages and 200 pages of a second host, $latency ms added latency"
    start_server "$latency" 2000 plain 200
    "$bench" check "$site" >"$work/line" || true
    stop_server
    cat "$work/line"
    echo "                       ($requests requests to the site, $elsewhere to the second host, all three runs)"
    extraction="$(awk '$2 == "extraction" { print $6 }' "$work/line")"
    checking="$(awk '$2 == "check" { print $6 }' "$work/line")"
    six="$(awk '$2 == "check-6" { print $6 }' "$work/line")"

    start_server "$latency" 2000 plain 200
    "$bench" measure "LinkChecker" linkchecker -f "$work/linkcheckerrc" --check-extern \
        --no-status -o none "$site/" >"$work/raw" 2>/dev/null || true
    stop_server
    report
    echo "                       ($requests requests to the site, $elsewhere to the second host)"
    linkchecker_wall="$(cut -d'|' -f2 "$work/raw")"
    awk -v e="$extraction" -v c="$checking" -v s="$six" -v l="$linkchecker_wall" 'BEGIN {
        printf "   wall time, Trov check / its extraction: %.2f (six at once: %.2f)\n", c / e, s / e
        printf "   wall time, LinkChecker / Trov extraction and check: %.2f\n", l / (e + c) }'
done

[ "${SCALE:-1}" = 0 ] && exit 0

for run in "20000 plain" "2000 markup"; do
    set -- $run
    echo "-- mode \"site\", $1 pages, $2 site, 0 ms added latency"
    : >"$work/rows"
    if [ -n "$before" ]; then
        trov "Trov before" "$before" concurrent 0 "$1" "$2"
    fi
    trov "Trov" "$bench" concurrent 0 "$1" "$2"
    downloaded="$bytes"
    wget2_run 0 "$1" "$2"
    echo "   wall time, Trov / wget2: $(ratio Trov wget2 2)"
    awk -F'|' -v d="$downloaded" '$1 == "Trov" {
        printf "   peak memory of Trov / bytes downloaded: %.2f\n", $3 * 1048576 / d }' "$work/rows"
    if [ -n "$before" ]; then
        echo "   Trov / Trov before: peak memory $(ratio Trov "Trov before" 3), wall time $(ratio Trov "Trov before" 2)"
    fi
done
