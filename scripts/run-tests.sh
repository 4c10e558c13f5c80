#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
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

passed=0 failed=0
stage() {
    echo "== $1"
    shift
    if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
}
stage "AddressSanitizer and UndefinedBehaviorSanitizer build: every test" ctest --preset dev -j2
stage "ThreadSanitizer build: the threaded tests" ctest --preset tsan -j2
stage "Fuzzers, bounded" bash scripts/run-fuzzers.sh
stage "Release package: lintian, install, start from /usr/bin, remove" bash scripts/package-check.sh
echo "stages: $passed passed, $failed failed"
((failed == 0))
