#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the release preset and starts trov.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh release
exec build/release/app/trov "$@"
