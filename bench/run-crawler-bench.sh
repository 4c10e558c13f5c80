#!/usr/bin/env bash
# The crawler benchmark in one run: the generated 2,000-page site served on 127.0.0.1 at
# each added latency (default 0 and 20 ms), crawled in mode "site" by Trov with pages
# fetched ahead, by Trov one page at a time, by `wget2 -r --spider` and by `httrack`, each
# against a fresh server. Installs wget2 and httrack when they are missing.
#
#   bench/run-crawler-bench.sh [latency-ms ...]

set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
latencies=("$@")
[ ${#latencies[@]} -gt 0 ] || latencies=(0 20)

missing=()
for tool in wget2 httrack; do
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

start_server() {
    : >"$work/port"
    "$bench" serve "$1" >"$work/port" 2>"$work/served" &
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
    read -r pages _ _ requests _ <"$work/served"
}

# The line of a measured program, its pages being the requests its server answered.
report() {
    IFS='|' read -r label wall cpu rss how <"$work/raw"
    awk -v l="$label" -v p="$pages" -v q="$requests" -v w="$wall" -v c="$cpu" -v r="$rss" -v h="$how" 'BEGIN {
        printf "%-22s %6d pages  wall %7.2f s  %7.1f pages/s  CPU %6.3f ms/page  peak %6.1f MB  %d requests%s\n",
               l, p, w, p / w, c * 1000 / p, r / 1024, q, h == "stopped" ? "  (stopped)" : "" }'
}

for latency in "${latencies[@]}"; do
    echo "-- mode \"site\", 2,000 pages, $latency ms added latency per response"
    for how in concurrent sequential; do
        start_server "$latency"
        "$bench" crawl "$site" "$how"
        stop_server
        echo "                       ($pages pages in $requests requests)"
    done

    start_server "$latency"
    rm -rf "$work/wget2"
    "$bench" measure "wget2 -r --spider" \
        wget2 -r --spider -q -P "$work/wget2" "$site/" >"$work/raw" || true
    stop_server
    report

    # httrack with its defaults, bounded in time: it paces itself to about a page a second.
    start_server "$latency"
    rm -rf "$work/httrack"
    LIMIT="${HTTRACK_LIMIT:-60}" "$bench" measure "httrack" \
        httrack "$site/" -O "$work/httrack" -q -Q -s0 >"$work/raw" 2>/dev/null || true
    stop_server
    report
done
