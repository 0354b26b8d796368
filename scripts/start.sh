#!/usr/bin/env bash
# Builds and starts the tool. With no arguments it connects to a virtual module started in the
# background (stopped again when the window closes); arguments go to vure itself, e.g.
#   scripts/start.sh --port ttyACM0            (module on its USB port)
#   scripts/start.sh --port ttyUSB0 --baud 9600 (module on a serial line)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" >/dev/null

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
    echo "start: no display found (DISPLAY is not set); running without a visible window" >&2
    export QT_QPA_PLATFORM=offscreen
fi

if [ $# -gt 0 ]; then
    exec build/app/vure "$@"
fi

fifo=$(mktemp -u /tmp/vure-sim.XXXXXX)
mkfifo "$fifo"
build/sim/vure-sim >"$fifo" &
sim=$!
trap 'kill "$sim" 2>/dev/null || true; rm -f "$fifo"' EXIT
read -r port <"$fifo"
echo "start: virtual module on $port" >&2
build/app/vure --port "$port"
