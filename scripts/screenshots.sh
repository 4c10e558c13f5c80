#!/usr/bin/env bash
# Saves pictures of the links viewer and the recent colours window under docs/screenshots/,
# drawn under a virtual X display (xvfb-run), or offscreen where none is available.
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-dev}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target trov-window-shots
shots="build/$preset/app/trov-window-shots"
mkdir -p docs/screenshots
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
if command -v xvfb-run >/dev/null; then
    QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" "$shots" docs/screenshots
else
    QT_QPA_PLATFORM=offscreen "$shots" docs/screenshots
fi
