#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds every test with GCC coverage (build/coverage), runs them all and prints line and
# branch coverage per folder of the program, with gcovr.
#   scripts/coverage.sh [--functions FILE]
# --functions writes the covered functions, one "file<TAB>function" a line, sorted, so that
# two runs can be compared with comm(1): a function covered before and not after shows up.
set -euo pipefail
cd "$(dirname "$0")/.."
functions_out=""
if [[ "${1:-}" == "--functions" ]]; then
    functions_out="$(realpath -m "${2:?--functions needs a file}")"
fi

export TROV_EXTRA_PACKAGES=scripts/test-packages.txt
bash scripts/setup.sh coverage

# Counts from an earlier run would add to this one's; notes of objects that a moved or
# removed source left behind would be merged with the current ones.
find build/coverage -name '*.gcda' -delete
ninja -C build/coverage -t cleandead >/dev/null
find build/coverage -name '*.gcno' -print0 | while IFS= read -r -d '' notes; do
    [[ -e "${notes%.gcno}.o" ]] || rm -f "$notes"
done
export QT_QPA_PLATFORM=offscreen
ctest --preset coverage -j2 --output-on-failure >build/coverage/ctest.log 2>&1 || {
    tail -n 40 build/coverage/ctest.log
    echo "coverage: some tests failed (build/coverage/ctest.log); figures below are partial"
}
tail -n 3 build/coverage/ctest.log

gcovr --root . --object-directory build/coverage --exclude 'tests/' --exclude 'bench/' \
    --exclude 'build/' --exclude '.*_autogen/' --gcov-exclude '.*CompilerId.*' \
    --gcov-ignore-parse-errors --json build/coverage/coverage.json >/dev/null \
    2>build/coverage/gcovr.log
python3 scripts/coverage_summary.py build/coverage/coverage.json "$functions_out"
