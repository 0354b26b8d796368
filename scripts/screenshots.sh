#!/usr/bin/env bash
# Grabs the window on every tab, connected to a virtual module, into screenshots/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build >/dev/null
cmake --build build -j"$(nproc)" --target vure-screenshots >/dev/null
QT_QPA_PLATFORM=offscreen build/app/vure-screenshots "${1:-screenshots}" | grep -v '^Debug: '
