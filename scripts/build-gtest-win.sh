#!/usr/bin/env bash
# Builds GoogleTest for Windows from Debian's sources with the mingw toolchain,
# once per build folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
install="$build/gtest-win/install"
if [ -f "$install/lib/cmake/GTest/GTestConfig.cmake" ]; then exit 0; fi
cmake -S /usr/src/googletest -B "$build/gtest-win/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$install" -Dgtest_disable_pthreads=OFF >/dev/null
cmake --build "$build/gtest-win/build" >/dev/null
cmake --install "$build/gtest-win/build" >/dev/null
