#!/usr/bin/env bash
# Installs what is missing, builds the sanitizer builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
export TROV_EXTRA_PACKAGES=scripts/test-packages.txt
bash scripts/setup.sh dev tsan

export QT_QPA_PLATFORM=offscreen
# LeakSanitizer cannot tell the desktop libraries' one-time allocations from leaks.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1

status=0
echo "== AddressSanitizer and UndefinedBehaviorSanitizer build: every test"
ctest --preset dev -j2 || status=1
echo "== ThreadSanitizer build: the threaded tests"
ctest --preset tsan -j2 --no-tests=ignore || status=1
if [[ -x scripts/run-fuzzers.sh ]]; then
    echo "== Fuzzers, bounded"
    bash scripts/run-fuzzers.sh || status=1
fi
exit $status
