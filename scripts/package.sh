#!/usr/bin/env bash
# Builds the release velmor.exe with mingw-w64 and packs the portable zip:
# velmor.exe, README.md, LICENSE and the sample language files in lang/.
# Prints the zip's path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export VELMOR_BUILD="${VELMOR_BUILD:-$root/build}"
cd "$root"
bash scripts/deps.sh
cmake -S . -B "$VELMOR_BUILD/release" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DVELMOR_TESTS=OFF >/dev/null
cmake --build "$VELMOR_BUILD/release" --target velmor >/dev/null
x86_64-w64-mingw32-strip "$VELMOR_BUILD/release/velmor.exe"
( cd "$VELMOR_BUILD/release" && cpack -G ZIP >/dev/null )
zip="$VELMOR_BUILD/release/$(cd "$VELMOR_BUILD/release" && ls -t velmor-*-win64.zip | head -1)"
unzip -l "$zip"
echo "Package: $zip"
