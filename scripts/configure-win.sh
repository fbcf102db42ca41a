#!/usr/bin/env bash
# Configures the one Windows build that the test, run, benchmark and
# screenshot scripts share: velmor.exe, its tools, the Wine and end-to-end
# test programs, the one-definition-rule check and the benchmarks, compiled
# once. Builds GoogleTest for Windows first (once per build folder).
# Usage: scripts/configure-win.sh [build folder]; the Windows tree is <build folder>/win.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-${VELMOR_BUILD:-$root/build}}")
bash "$root/scripts/build-gtest-win.sh" "$build"
cmake -S "$root" -B "$build/win" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DVELMOR_TESTS=ON -DVELMOR_ODR_CHECK=ON \
  -DGTest_DIR="$build/gtest-win/install/lib/cmake/GTest" >/dev/null
