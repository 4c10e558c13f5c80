#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the release .deb and takes it as a Debian desktop would: lintian, the desktop
# entry and the AppStream entry validated, `apt-get install ./trov_*.deb` with the
# dependencies its own metadata names, trovctl and trov started from /usr/bin (trov under
# a virtual X display, for a few seconds), and the package removed again.
set -euo pipefail
cd "$(dirname "$0")/.."
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)

cmake --preset release >/dev/null
cmake --build --preset release
rm -f build/release/trov_*.deb
(cd build/release && cpack -G DEB >/dev/null)
deb=$(echo build/release/trov_*.deb)

lintian --fail-on error "$deb"
desktop-file-validate data/trov.desktop
appstreamcli validate --no-net data/metainfo/app.trov.Trov.metainfo.xml

DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q "./$deb" >/dev/null
work=$(mktemp -d)
xvfb_pid="" trov_pid=""
finish() {
    local pid
    for pid in $trov_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get remove -y -q --purge trov >/dev/null
}
trap finish EXIT

/usr/bin/trovctl --version
export HOME=$work XDG_RUNTIME_DIR=$work/run XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config
mkdir -m 700 "$XDG_RUNTIME_DIR"
Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 50); do [[ -s $work/display ]] && break; sleep 0.2; done
export DISPLAY=":$(cat "$work/display")" QT_QPA_PLATFORM=xcb
/usr/bin/trov </dev/null >"$work/trov.log" 2>&1 &
trov_pid=$!
# The running window program answers the trovctl installed beside it.
for _ in $(seq 40); do /usr/bin/trovctl show 2>/dev/null && break; sleep 0.5; done
/usr/bin/trovctl toggle || { cat "$work/trov.log"; exit 1; }
echo "installed package: trov answered from /usr/bin"
