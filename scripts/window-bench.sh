#!/usr/bin/env bash
# Cold start to the first painted frame, idle CPU and resident memory of the main window
# against a bare Qt window, both built by the same bench, run alternately under one
# virtual X display. Prints the medians and the ratios.
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${RUNS:-9}"
cmake --preset bench >/dev/null
cmake --build --preset bench --target window_start_bench
bench="$PWD/build/bench/bench/window_start_bench"
export XDG_RUNTIME_DIR="$(mktemp -d)"
export XDG_DATA_HOME="$XDG_RUNTIME_DIR/data" XDG_CONFIG_HOME="$XDG_RUNTIME_DIR/config"
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    set -euo pipefail
    bench="$1"; runs="$2"
    median() { sort -n | awk "{a[NR]=\$1} END {print a[int((NR+1)/2)]}"; }
    start() { for _ in $(seq "$runs"); do QT_QPA_PLATFORM=xcb "$bench" "$1" | awk "/first-frame-ms/ {print \$2}"; done | median; }
    "$bench" minimal >/dev/null; "$bench" trov >/dev/null   # warm the file cache
    min_start=$(start minimal); trov_start=$(start trov)
    min_idle=$(QT_QPA_PLATFORM=xcb "$bench" minimal 10); trov_idle=$(QT_QPA_PLATFORM=xcb "$bench" trov 10)
    val() { echo "$1" | awk -v k="$2" "\$1 == k {print \$2}"; }
    printf "%-28s %10s %10s %8s\n" "" minimal trov ratio
    printf "%-28s %10s %10s %8.2f\n" "first painted frame (ms)" "$min_start" "$trov_start" "$(echo "$trov_start / $min_start" | bc -l)"
    printf "%-28s %10s %10s\n" "idle CPU over 10 s (ms)" "$(val "$min_idle" idle-cpu-ms)" "$(val "$trov_idle" idle-cpu-ms)"
    printf "%-28s %10s %10s\n" "timer wake-ups over 10 s" "$(val "$min_idle" idle-wakeups)" "$(val "$trov_idle" idle-wakeups)"
    printf "%-28s %10s %10s %8.2f\n" "resident memory (KB)" "$(val "$min_idle" rss-kb)" "$(val "$trov_idle" rss-kb)" "$(echo "$(val "$trov_idle" rss-kb) / $(val "$min_idle" rss-kb)" | bc -l)"
' _ "$bench" "$runs"
