#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang in build/fuzz and runs each for a bounded time
# on its seed corpus. Skipped (successfully) where clang is not installed.
#   scripts/run-fuzzers.sh [SECONDS]        time per target, default 20
#   scripts/run-fuzzers.sh --long MINUTES [RUNS]
#                                           time per target in minutes (fractions allowed),
#                                           or until RUNS executions if that comes first;
#                                           prints per target its executions, time, coverage
#                                           and findings, and goes on after a finding
# TROV_FUZZ_TARGETS="ini page" limits the run to those targets.
set -euo pipefail
cd "$(dirname "$0")/.."
long=0
runs=-1
if [[ "${1:-}" == "--long" ]]; then
    [[ $# -eq 2 || $# -eq 3 ]] || { echo "usage: $0 --long MINUTES [RUNS]" >&2; exit 2; }
    long=1
    runs="${3:--1}"
    seconds=$(awk -v m="$2" 'BEGIN { s = int(m * 60 + 0.5); print (s < 1 ? 1 : s) }')
else
    seconds="${1:-20}"
fi

if ! command -v clang >/dev/null || ! command -v clang++ >/dev/null; then
    echo "clang not found: fuzzers skipped"
    exit 0
fi

CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTROV_BUILD_FUZZ=ON -DTROV_BUILD_GUI=OFF -DTROV_BUILD_TESTS=OFF >/dev/null
targets=(list_view_stream suggestion_text history_csv ini color_cld page link_list
         desktop_entry settings_file instance_message robots_txt sitemap
         opensearch_description suggestions_json)
if [[ -n "${TROV_FUZZ_TARGETS:-}" ]]; then
    read -r -a targets <<<"$TROV_FUZZ_TARGETS"
fi
cmake --build build/fuzz --target "${targets[@]/%/_fuzzer}"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
summary=()
for name in "${targets[@]}"; do
    # The seeds stay in the checkout; new finds of the run go to a scratch corpus.
    work="build/fuzz/corpus/$name"
    log="build/fuzz/$name.log"
    mkdir -p "$work"
    stamp="build/fuzz/$name.started"
    touch "$stamp"
    echo "== $name: ${seconds}s"
    failed=0
    began=$SECONDS
    # An input over 10 s fails the run; in the long mode one over 1 s is kept as a
    # slow-unit finding, so that pathological inputs show without a noisy CI failing.
    "build/fuzz/tests/fuzz/${name}_fuzzer" -max_total_time="$seconds" -runs="$runs" -max_len=65536 \
        -timeout=10 -report_slow_units=$((long ? 1 : 10)) -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="build/fuzz/$name-" "$work" "tests/fuzz/corpus/$name" 2>"$log" || failed=1
    if ((failed)); then
        tail -n 40 "$log"
        status=1
    elif ((!long)); then
        grep -E '^stat::number_of_executed_units|^Done' "$log" || true
    fi
    if ((long)); then
        # A run cut short by a finding prints no final stats: its last status line counts.
        execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
        [[ -n "$execs" ]] || execs=$(sed -n 's/^#\([0-9]*\).*/\1/p' "$log" | tail -n 1)
        cov=$(sed -n 's/.*cov: \([0-9]*\).*/\1/p' "$log" | tail -n 1)
        findings=$(find build/fuzz -maxdepth 1 -name "$name-*" -newer "$stamp" | sort | xargs)
        if ((failed)) && [[ -z "$findings" ]]; then
            findings="failed without an artifact, see $log"
        fi
        summary+=("$name: executions ${execs:-0} in $((SECONDS - began)) s, cov ${cov:-0}, findings ${findings:-none}")
    fi
    rm -f "$stamp"
done
if ((long)); then
    echo "== summary (at most ${seconds}s a target$( ((runs > 0)) && echo " or $runs executions"))"
    printf '%s\n' "${summary[@]}"
fi
exit $status
