#!/usr/bin/env bash
# Runs the benchmarks of the real velmor.exe under Wine, then the native
# benchmark of the About box frame (not part of the tests).
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

# The About box frame, natively: a Release build without sanitizers, so that
# the time per frame is the one the program sees.
cmake -S . -B "$VELMOR_BUILD/bench-native" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DVELMOR_SANITIZE=OFF -DVELMOR_TESTS=OFF >/dev/null
cmake --build "$VELMOR_BUILD/bench-native" --target velmor_animation_bench >/dev/null
"$VELMOR_BUILD/bench-native/bench/native/velmor_animation_bench"
