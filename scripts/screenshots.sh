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
cmake --build "$VELMOR_BUILD/win" --target velmor velmor_e2e_tests >"$VELMOR_BUILD/screenshots-build.log" 2>&1 ||
    { tail -30 "$VELMOR_BUILD/screenshots-build.log"; exit 1; }

source scripts/wine-env.sh
trap stop_all EXIT
start_display
start_wine
shots="$VELMOR_BUILD/screenshots"
rm -rf "$shots"
mkdir -p "$shots"
make_japanese_locale
take() {  # take [environment...]: runs the screenshot test, Japanese shots under a Japanese system
    ( cd "$VELMOR_BUILD/win/tests/e2e" &&
      env "$@" VELMOR_SCREENSHOTS="Z:$(echo "$shots" | tr / '\\')" "$WINE" ./velmor_e2e_tests.exe --gtest_filter='Screenshots.*' ) \
      </dev/null >"$VELMOR_BUILD/screenshots.log" 2>&1 || { tr -d '\r' <"$VELMOR_BUILD/screenshots.log" | tail -20; exit 1; }
}
take
take LANG=ja_JP.UTF-8 LOCPATH="$VELMOR_BUILD/locale"
for bmp in "$shots"/*.bmp; do
    convert "$bmp" "${bmp%.bmp}.png"
done
# The fading clip as a compositing desktop shows it: blended with what lies
# beneath (Xvfb's black root window) by its alpha.
if [ -f "$shots/clips-fading.txt" ]; then
    read -r geometry alpha < <(tr -d "\r" <"$shots/clips-fading.txt")
    convert "$shots/clips.png" \( +clone -crop "$geometry" -evaluate multiply "$(echo "scale=3; $alpha/255" | bc)" \) \
        -geometry "+${geometry#*+}" -composite "$shots/clips.png"
fi
# The English pages and one page of each translation go into the documentation.
for name in settings-property settings-cliptext settings-clipwindow settings-other settings-property-ja settings-clipwindow-de about clips; do
    cp "$shots/$name.png" docs/
    echo "docs/$name.png"
done
echo "All pictures: $shots"
