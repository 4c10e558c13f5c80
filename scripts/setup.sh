#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs every Debian package Trov needs that is missing, then configures and builds.
#   scripts/setup.sh [PRESET...]    presets of CMakePresets.json, default: release
set -euo pipefail
cd "$(dirname "$0")/.."

install_missing() {
    local wanted=() missing=()
    mapfile -t wanted < <(grep -h -v -E '^\s*(#|$)' "$@")
    for pkg in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$pkg")
    done
    if ((${#missing[@]})); then
        echo "Installing: ${missing[*]}"
        local sudo=()
        [[ $(id -u) -eq 0 ]] || sudo=(sudo)
        "${sudo[@]}" apt-get update -q
        DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends \
            "${missing[@]}"
    fi
}

lists=(scripts/packages.txt)
[[ -n "${TROV_EXTRA_PACKAGES:-}" ]] && lists+=("$TROV_EXTRA_PACKAGES")
install_missing "${lists[@]}"

presets=("$@")
((${#presets[@]})) || presets=(release)
for preset in "${presets[@]}"; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
done
