#!/usr/bin/env bash
# One run of the README's first command as a newcomer meets it: `scripts/run.sh`
# with no display. FreshPrefix starts from a new Wine prefix, WarmPrefix reuses
# the one FreshPrefix left. The run must exit 0, report the clip window it saw
# with the sample text, and leave its screenshot.
# Usage: headless_demo_test.sh FreshPrefix|WarmPrefix <velmor.exe>
set -uo pipefail
name=$1 exe=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
build="${VELMOR_BUILD:-$root/build}"
work="$build/demo-test"
[ "$name" = FreshPrefix ] && rm -rf "$work"
mkdir -p "$work"
log="$work/$name.log"
rm -f "$build/velmor-demo.png"
ok=1
env -u DISPLAY VELMOR_BUILD="$build" VELMOR_WINEPREFIX="$work/wineprefix" VELMOR_RUN_FOLDER="$work/run" \
    timeout 600 bash "$root/scripts/run.sh" "$exe" </dev/null >"$log" 2>&1 || ok=0
grep -q -x 'Clip text: Velmor demo' "$log" || ok=0
grep -q -E '^Copied at [0-9]{2}:[0-9]{2}:[0-9]{2}$' "$log" || ok=0
grep -q -E '^Clip title: ' "$log" || ok=0
grep -q -x "Screenshot: $build/velmor-demo.png" "$log" && [ -s "$build/velmor-demo.png" ] || ok=0
cat "$log"
if [ $ok -eq 1 ]; then
    echo "HeadlessDemo.$name passed"
else
    echo "HeadlessDemo.$name failed"
    exit 1
fi
