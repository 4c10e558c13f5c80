#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Cold start to the first painted frame, idle CPU and resident memory of the main window
# against a bare Qt window, both built by the same bench, under one virtual X display.
# The main window starts on a stored profile (the everyday start) and on a fresh data
# folder (a first run, which writes the first-run keys and files). The three starts take
# turns, so a change in the machine's load falls on each alike. Prints medians and ratios.
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${RUNS:-21}"
cmake --preset bench >/dev/null
cmake --build --preset bench --target window_start_bench
bench="$PWD/build/bench/bench/window_start_bench"
export XDG_RUNTIME_DIR="$(mktemp -d)"
export XDG_DATA_HOME="$XDG_RUNTIME_DIR/data" XDG_CONFIG_HOME="$XDG_RUNTIME_DIR/config"
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
profile="$XDG_RUNTIME_DIR/profile"
mkdir -p "$profile"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    set -euo pipefail
    bench="$1"; runs="$2"; profile="$3"
    median() { sort -n | awk "{a[NR]=\$1} END {print a[int((NR+1)/2)]}"; }
    frame() { QT_QPA_PLATFORM=xcb "$bench" "$@" | awk "/first-frame-ms/ {print \$2}"; }
    # The first start makes the stored profile and warms the file cache.
    frame trov 0 "$profile" >/dev/null; frame minimal >/dev/null; frame trov >/dev/null
    times=$(for _ in $(seq "$runs"); do
        echo "minimal $(frame minimal)"
        echo "stored $(frame trov 0 "$profile")"
        echo "first $(frame trov)"
    done)
    pick() { echo "$times" | awk -v k="$1" "\$1 == k {print \$2}" | median; }
    min_start=$(pick minimal); stored_start=$(pick stored); first_start=$(pick first)
    min_idle=$(QT_QPA_PLATFORM=xcb "$bench" minimal 10)
    trov_idle=$(QT_QPA_PLATFORM=xcb "$bench" trov 10 "$profile")
    val() { echo "$1" | awk -v k="$2" "\$1 == k {print \$2}"; }
    ratio() { printf "%.2f" "$(echo "$1 / $2" | bc -l)"; }
    printf "%-36s %10s %10s %8s\n" "" minimal trov ratio
    printf "%-36s %10s %10s %8s\n" "first painted frame, stored (ms)" "$min_start" \
        "$stored_start" "$(ratio "$stored_start" "$min_start")"
    printf "%-36s %10s %10s %8s\n" "first painted frame, first run (ms)" "$min_start" \
        "$first_start" "$(ratio "$first_start" "$min_start")"
    printf "%-36s %10s %10s\n" "idle CPU over 10 s (ms)" "$(val "$min_idle" idle-cpu-ms)" \
        "$(val "$trov_idle" idle-cpu-ms)"
    printf "%-36s %10s %10s\n" "timer wake-ups over 10 s" "$(val "$min_idle" idle-wakeups)" \
        "$(val "$trov_idle" idle-wakeups)"
    printf "%-36s %10s %10s %8s\n" "resident memory (KB)" "$(val "$min_idle" rss-kb)" \
        "$(val "$trov_idle" rss-kb)" "$(ratio "$(val "$trov_idle" rss-kb)" "$(val "$min_idle" rss-kb)")"
' _ "$bench" "$runs" "$profile"
