#!/usr/bin/env bash
# Makes the documentation's screenshots from the real program under Wine:
# each settings page, written as PNG files into docs/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export VELMOR_BUILD="${VELMOR_BUILD:-$root/build}"
cd "$root"
bash scripts/deps.sh
bash scripts/build-gtest-win.sh "$VELMOR_BUILD"
cmake -S . -B "$VELMOR_BUILD/win" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DVELMOR_TESTS=ON \
  -DGTest_DIR="$VELMOR_BUILD/gtest-win/install/lib/cmake/GTest" >/dev/null
cmake --build "$VELMOR_BUILD/win" --target velmor velmor_e2e_tests >/dev/null

source scripts/wine-env.sh
trap stop_all EXIT
start_display
start_wine
shots="$VELMOR_BUILD/screenshots"
rm -rf "$shots"
mkdir -p "$shots"
( cd "$VELMOR_BUILD/win/tests/e2e" &&
  VELMOR_SCREENSHOTS="Z:$(echo "$shots" | tr / '\\')" "$WINE" ./velmor_e2e_tests.exe --gtest_filter='Screenshots.*' ) \
  </dev/null >"$VELMOR_BUILD/screenshots.log" 2>&1 || { tr -d '\r' <"$VELMOR_BUILD/screenshots.log" | tail -20; exit 1; }
for bmp in "$shots"/*.bmp; do
    convert "$bmp" "docs/$(basename "${bmp%.bmp}").png"
    echo "docs/$(basename "${bmp%.bmp}").png"
done
