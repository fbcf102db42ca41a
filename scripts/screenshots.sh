#!/usr/bin/env bash
# Makes the documentation's pictures under Wine with tools/screenshots: each
# settings page, the About box and clips of the real program go into docs/ as
# PNG files; pictures of the controls and the colour picker stay beside them
# in the build folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export VELMOR_BUILD="${VELMOR_BUILD:-$root/build}"
cd "$root"
bash scripts/deps.sh
bash scripts/configure-win.sh "$VELMOR_BUILD"
cmake --build "$VELMOR_BUILD/win" --target velmor velmor_screenshots >"$VELMOR_BUILD/screenshots-build.log" 2>&1 ||
    { tail -30 "$VELMOR_BUILD/screenshots-build.log"; exit 1; }

source scripts/wine-env.sh
trap stop_all EXIT
start_display
start_wine
shots="$VELMOR_BUILD/screenshots"
rm -rf "$shots"
mkdir -p "$shots"
make_japanese_locale
take() {  # take [environment...]: makes the pictures, the Japanese ones under a Japanese system
    ( cd "$VELMOR_BUILD/win/tools/screenshots" &&
      env "$@" VELMOR_SCREENSHOTS="Z:$(echo "$shots" | tr / '\\')" "$WINE" ./velmor_screenshots.exe ) \
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
