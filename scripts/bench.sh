#!/usr/bin/env bash
# Runs the benchmarks of the real velmor.exe under Wine (not part of the tests).
# Usage: scripts/bench.sh [latency copies] [soak copies]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export VELMOR_BUILD="${VELMOR_BUILD:-$root/build}"
cd "$root"
bash scripts/deps.sh
bash scripts/build-gtest-win.sh "$VELMOR_BUILD"
cmake -S . -B "$VELMOR_BUILD/win" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DVELMOR_TESTS=ON -DGTest_DIR="$VELMOR_BUILD/gtest-win/install/lib/cmake/GTest" >/dev/null
cmake --build "$VELMOR_BUILD/win" --target velmor_bench >/dev/null
source scripts/wine-env.sh
trap stop_all EXIT
start_display
start_wine
"$WINE" "$VELMOR_BUILD/win/bench/win/velmor_bench.exe" "$@" </dev/null 2>&1 | tr -d '\r'
