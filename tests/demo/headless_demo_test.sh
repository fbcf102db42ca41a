#!/usr/bin/env bash
# The README's first command as a newcomer meets it: `scripts/run.sh` with no
# display, once on a fresh Wine prefix and once on the same prefix warm. Each
# run must exit 0, report the clip window it saw with the sample text, and
# leave its screenshot. Prints a GoogleTest-style line per run.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build="${VELMOR_BUILD:-$root/build}"
work="$build/demo-test"
rm -rf "$work"
mkdir -p "$work"

run_demo() {  # run_demo <name>
    local name=$1 log="$work/$1.log" ok=1
    rm -f "$build/velmor-demo.png"
    env -u DISPLAY VELMOR_BUILD="$build" VELMOR_WINEPREFIX="$work/wineprefix" VELMOR_RUN_FOLDER="$work/run" \
        timeout 600 bash "$root/scripts/run.sh" </dev/null >"$log" 2>&1 || ok=0
    grep -q -x 'Clip text: Velmor demo' "$log" || ok=0
    grep -q -E '^Copied at [0-9]{2}:[0-9]{2}:[0-9]{2}$' "$log" || ok=0
    grep -q -E '^Clip title: ' "$log" || ok=0
    grep -q -x "Screenshot: $build/velmor-demo.png" "$log" && [ -s "$build/velmor-demo.png" ] || ok=0
    if [ $ok -eq 1 ]; then
        echo "[       OK ] HeadlessDemo.$name"
    else
        echo "[  FAILED  ] HeadlessDemo.$name"
        tail -20 "$log"
    fi
}

run_demo FreshPrefix
run_demo WarmPrefix
