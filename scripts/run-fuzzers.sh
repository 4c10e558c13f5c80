#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build/fuzz and runs each for a bounded time
# on its seed corpus. Skipped (successfully) where clang is not installed.
#   scripts/run-fuzzers.sh [SECONDS]    time per target, default 20
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"

if ! command -v clang >/dev/null || ! command -v clang++ >/dev/null; then
    echo "clang not found: fuzzers skipped"
    exit 0
fi

CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTROV_BUILD_FUZZ=ON -DTROV_BUILD_GUI=OFF -DTROV_BUILD_TESTS=OFF >/dev/null
targets=(list_view_stream suggestion_text history_csv ini color_cld page link_list)
cmake --build build/fuzz --target "${targets[@]/%/_fuzzer}"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
for name in "${targets[@]}"; do
    # The seeds stay in the checkout; new finds of the run go to a scratch corpus.
    work="build/fuzz/corpus/$name"
    mkdir -p "$work"
    echo "== $name: ${seconds}s"
    if ! "build/fuzz/tests/fuzz/${name}_fuzzer" -max_total_time="$seconds" -max_len=65536 \
        -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="build/fuzz/$name-" \
        "$work" "tests/fuzz/corpus/$name" 2>"build/fuzz/$name.log"; then
        tail -n 40 "build/fuzz/$name.log"
        status=1
    else
        grep -E '^stat::number_of_executed_units|^Done' "build/fuzz/$name.log" || true
    fi
done
exit $status
