#!/usr/bin/env bash
# Builds Tolvane with its tests and runs every test. Extra arguments go to cmake
# (for example -DTOLVANE_SANITIZE=ON); BUILD_DIR chooses the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh ${TOLVANE_EXTRA_PACKAGES:-}
build="${BUILD_DIR:-build-tests}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DTOLVANE_WERROR=ON "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
cd "$build"
ctest --output-on-failure -j"$(nproc)"
