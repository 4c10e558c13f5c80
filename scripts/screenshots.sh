#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Saves pictures of the main window (collapsed, expanded on a light and a dark background,
# its menu, the crawler's progress panel), the links viewer, the recent colours window, the
# history window and the suggestions manager under docs/screenshots/, drawn under a virtual
# X display (xvfb-run), or offscreen where none is available.
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-dev}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target trov-window-shots trov-form-shots trov-main-shots
mkdir -p docs/screenshots
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
tools="build/$preset/tools/screenshots"
for shots in "$tools/trov-window-shots" "$tools/trov-form-shots" "$tools/trov-main-shots"; do
    if command -v xvfb-run >/dev/null; then
        QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" "$shots" docs/screenshots
    else
        QT_QPA_PLATFORM=offscreen "$shots" docs/screenshots
    fi
done
