#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Reads trov through the desktop's accessibility bus, once in English and once in German.
#   a11y_session.sh TROV TROVCTL
# Each run starts a virtual X display, a D-Bus session and the accessibility bus, starts trov
# on a fresh profile with Qt's accessibility on, and lets a11y_check.py open every window
# through the controls' own actions and check their names; both runs make the same searches
# (the links extraction on the same port of 127.0.0.1).
# The stores the two runs wrote must be the same bytes, but for the date and time of the
# search in its history row.
set -euo pipefail
trov=$(realpath "$1") trovctl=$(realpath "$2")
here=$(dirname "$(realpath "$0")")
launcher=/usr/libexec/at-spi-bus-launcher
for tool in Xvfb dbus-launch "$launcher"; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed" && exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "python3-pyatspi is missing" && exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One run in a language, in a subshell that ends everything it started by process id.
run() (
    local lang=$1 dir=$work/$1
    local pids=()
    stop() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done || true; }
    trap stop EXIT
    export HOME=$dir/home XDG_RUNTIME_DIR=$dir/run XDG_DATA_HOME=$dir/data
    export XDG_CONFIG_HOME=$dir/config XDG_CACHE_HOME=$dir/cache
    # The bus launcher and pyatspi read their GSettings schemas and D-Bus services here.
    export XDG_DATA_DIRS=/usr/share
    mkdir -p "$HOME" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$dir/bin"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    # The search opens through the default handler: a stand-in that only records it.
    printf '#!/bin/sh\necho "$@" >>"%s/opened"\n' "$dir" >"$dir/bin/xdg-open"
    chmod +x "$dir/bin/xdg-open"
    export PATH=$dir/bin:$PATH
    unset DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY SESSION_MANAGER
    if [[ $lang == de ]]; then export LANGUAGE=de LANG=de_DE.UTF-8; else export LANGUAGE=en LANG=C.UTF-8; fi
    # The date of a history row follows LC_TIME; both runs write it the same way.
    export LC_TIME=C.UTF-8 LC_ALL=

    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display" >"$dir/xvfb.log" 2>&1 &
    pids+=($!)
    local tries=100
    until [[ -s $dir/display ]]; do ((--tries > 0)) || { echo "FAILED: Xvfb did not start"; exit 1; }; sleep 0.1; done
    export DISPLAY=:$(cat "$dir/display")
    eval "$(timeout 20 dbus-launch --sh-syntax)"
    pids+=("$DBUS_SESSION_BUS_PID")
    timeout 240 "$launcher" --launch-immediately >"$dir/bus.log" 2>&1 &
    pids+=($!)

    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb ASAN_OPTIONS=detect_leaks=0 \
        timeout 240 "$trov" </dev/null >"$dir/trov.log" 2>&1 &
    pids+=($!)
    if ! timeout 200 /usr/bin/python3 -u "$here/a11y_check.py" "$lang" "$XDG_DATA_HOME/Trov" "$work/port"; then
        tail -n 20 "$dir/trov.log"
        exit 1
    fi
)

status=0
run en || status=1
run de || status=1
((status == 0)) || exit 1

# The stores of both runs, byte for byte; the history row's date and time may differ.
for store in HistGrid.cld gs1001.sgg Trov.lst; do
    en=$work/en/data/Trov/$store de=$work/de/data/Trov/$store
    if [[ $store == HistGrid.cld ]]; then
        /usr/bin/python3 - "$en" "$de" <<'EOF' || status=1
import re, sys
a, b = (open(p, "rb").read() for p in sys.argv[1:])
stamp = re.compile(rb"\d{1,4}[./-]\d{1,2}[./-]\d{1,4}|\d{1,2}:\d{2}(:\d{2})?( ?[AP]M)?")
if len(a) != len(b) or stamp.sub(b"#", a) != stamp.sub(b"#", b):
    sys.exit("FAILED: HistGrid.cld differs between the English and the German run")
EOF
    else
        cmp "$en" "$de" || { echo "FAILED: $store differs between the English and the German run"; status=1; }
    fi
done
((status == 0)) && echo "trov read through the accessibility bus in English and German; the stores are the same"
exit $status
