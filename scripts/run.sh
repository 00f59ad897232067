#!/usr/bin/env bash
# Builds Tolvane and starts it on its default program folder (the build folder, laid out
# from data/program).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DTOLVANE_TESTS=OFF -DTOLVANE_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)" --target tolvane tolvane-cli
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display is available; start Tolvane under a virtual one with: xvfb-run -a build/tolvane"
    exit 1
fi
exec build/tolvane "$@"
