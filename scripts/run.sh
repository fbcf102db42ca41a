#!/usr/bin/env bash
# Runs velmor.exe under Wine: the one given, or else the one of the Windows
# build, built first. With a DISPLAY it runs on that desktop until it quits;
# without one it runs a headless demo: a virtual display, a copied sample
# text, and a screenshot whose path it prints once the clip window shows; when
# none shows, it says so and exits non-zero.
# Usage: scripts/run.sh [velmor.exe]
# VELMOR_RUN_FOLDER (where velmor.exe and its files go) and VELMOR_WINEPREFIX
# may name other folders than those under the build folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export VELMOR_BUILD="${VELMOR_BUILD:-$root/build}"
exe=${1:+$(realpath -m "$1")}
cd "$root"
bash scripts/deps.sh
mkdir -p "$VELMOR_BUILD"

probe=""
[ -n "$exe" ] && probe="$(dirname "$exe")/tools/velmor_demo_probe.exe"
if [ -z "$exe" ] || { [ -z "${DISPLAY:-}" ] && [ ! -f "$probe" ]; }; then
    bash scripts/configure-win.sh "$VELMOR_BUILD"
    cmake --build "$VELMOR_BUILD/win" --target velmor velmor_demo_probe >"$VELMOR_BUILD/run-build.log" 2>&1 ||
        { tail -30 "$VELMOR_BUILD/run-build.log"; echo "run.sh: the build failed" >&2; exit 1; }
    [ -n "$exe" ] || exe="$VELMOR_BUILD/win/velmor.exe"
    [ -f "$probe" ] || probe="$VELMOR_BUILD/win/tools/velmor_demo_probe.exe"
fi
[ -f "$exe" ] || { echo "run.sh: no such file: $exe" >&2; exit 1; }
# Velmor keeps its settings and language files beside the executable.
run_folder="${VELMOR_RUN_FOLDER:-$VELMOR_BUILD/run}"
mkdir -p "$run_folder"
cp "$exe" "$run_folder/velmor.exe"

source scripts/wine-env.sh
if [ -n "${DISPLAY:-}" ]; then
    start_wine
    echo "Velmor runs in the notification area; quit it from its tray menu."
    exec "$WINE" "$run_folder/velmor.exe"
fi

trap stop_all EXIT
start_display
start_wine
"$WINE" "$run_folder/velmor.exe" </dev/null >/dev/null 2>&1 &
# Velmor adds its tray icon only once it watches the clipboard; with no tray
# manager on the display, Wine shows the icon in a window of its own.
for _ in $(seq 300); do
    xdotool search --onlyvisible --name 'Wine System Tray' >/dev/null 2>&1 && break
    sleep 0.1
done
xdotool search --onlyvisible --name 'Wine System Tray' >/dev/null 2>&1 ||
    { echo "run.sh: Velmor showed no tray icon within 30 s" >&2; exit 1; }
xdotool mousemove 400 300
printf 'Velmor demo\nCopied at %s' "$(date +%H:%M:%S)" | xclip -selection clipboard >/dev/null 2>&1
shot="$VELMOR_BUILD/velmor-demo.png"
probe_log="$VELMOR_BUILD/velmor-demo-probe.txt"
# The probe waits for the clip window itself and prints its title and text.
if ! "$WINE" "$probe" 20 </dev/null >"$probe_log" 2>/dev/null; then
    import -window root -display "$DISPLAY" "$shot"
    echo "run.sh: no clip window appeared within 20 s of the copy; the screen is in $shot" >&2
    exit 1
fi
sleep 0.5  # let the clip paint before the picture is taken
import -window root -display "$DISPLAY" "$shot"
tr -d '\r' <"$probe_log"
echo "Screenshot: $shot"
