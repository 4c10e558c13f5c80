#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts trov in a headless Weston session on a fresh profile and checks what its user sees.
#   weston_session.sh xwayland|wayland TROV TROVCTL [PICTURE.png]
# xwayland: trov must choose the X11 platform, show its window and hide it on `trovctl toggle`;
# wayland (no X display): trov must run on the Wayland platform and show its window.
# PICTURE.png, when given, receives a picture of the session with the window shown.
set -euo pipefail
mode=$1 trov=$(realpath "$2") trovctl=$(realpath "$3") picture=${4:+$(realpath "$4")}
command -v weston >/dev/null || { echo "weston is not installed" && exit 77; }

work=$(mktemp -d)
weston_pid="" trov_pid=""
stop() {
    for pid in $trov_pid $weston_pid; do kill "$pid" && wait "$pid"; done 2>/dev/null || true
    rm -rf "$work"
}
trap stop EXIT
fail() {
    echo "FAILED: $*"
    tail -n 30 "$work"/weston.log "$work"/trov.log 2>/dev/null
    exit 1
}
# Polls a check every half second for at most $1 seconds.
within() {
    local tries=$(($1 * 2))
    shift
    until "$@"; do ((--tries > 0)) && sleep 0.5 || return 1; done
}

# A profile of its own; CI runs as root with no runtime folder and no standard input.
export HOME=$work/home XDG_RUNTIME_DIR=$work/run XDG_DATA_HOME=$work/data
export XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache XDG_SESSION_TYPE=wayland
mkdir -p "$HOME" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM DISPLAY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS

args=(--backend=headless-backend.so --use-pixman --debug --idle-time=0 --socket=trov-test
    --width=640 --height=480 "--log=$work/weston.log")
if [[ $mode == xwayland ]]; then
    # XWayland's sockets live here; a fresh container may not have the folder yet.
    [[ -d /tmp/.X11-unix ]] || { mkdir -p /tmp/.X11-unix && chmod 1777 /tmp/.X11-unix; }
    args+=(--xwayland)
fi
timeout 150 weston "${args[@]}" </dev/null >"$work/weston.out" 2>&1 &
weston_pid=$!
within 20 test -S "$XDG_RUNTIME_DIR/trov-test" || fail "Weston did not start"
export WAYLAND_DISPLAY=trov-test
if [[ $mode == xwayland ]]; then
    x_display() { grep -o 'xserver listening on display :[0-9]*' "$work/weston.log"; }
    within 20 x_display >/dev/null || fail "XWayland did not start"
    DISPLAY=$(x_display | grep -o ':[0-9]*$')
    export DISPLAY
fi

(cd "$work" && exec "$trov") </dev/null >"$work/trov.log" 2>&1 &
trov_pid=$!

plugin=libqwayland
[[ $mode == xwayland ]] && plugin=libqxcb
loaded() {
    [[ -e /proc/$trov_pid/maps ]] || fail "trov ended"
    grep -q "/$plugin" "/proc/$trov_pid/maps"
}
within 60 loaded || fail "trov did not load $plugin"

# The window's default background colour, counted in a picture of the whole session.
shown_pixels() {
    rm -f "$work"/wayland-screenshot*.png
    (cd "$work" && timeout 10 weston-screenshooter) >/dev/null 2>&1 || return 1
    pngtopnm "$work"/wayland-screenshot*.png | ppmhist -noheader |
        awk '($1-200)^2 < 64 && ($2-217)^2 < 64 && ($3-225)^2 < 64 {n += $NF} END {print n+0}'
}
window_shown() { (($(shown_pixels) > 10000)); }
window_hidden() { (($(shown_pixels) < 1000)); }
within 60 window_shown || fail "no window of trov's colour in the session"
[[ -n $picture ]] && cp "$work"/wayland-screenshot*.png "$picture"

if [[ $mode == xwayland ]]; then
    timeout 20 "$trovctl" toggle || fail "trovctl toggle was not answered"
    within 20 window_hidden || fail "trovctl toggle did not hide the window"
fi
echo "trov on $plugin in Weston: shown$([[ $mode == xwayland ]] && echo ', hidden by trovctl toggle')"
