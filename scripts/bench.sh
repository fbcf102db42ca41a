#!/usr/bin/env bash
# Measures the real velmor.exe, prints a summary and writes bench/results.md
# (not part of the tests). Under Wine, on a private Xvfb display with openbox
# as the window manager and a prefix with Wine's own X11 settings, as on a
# desktop:
#  - copy to visible clip window from another Windows program, against a bare
#    clipboard viewer (bench/win/bare_viewer.cpp) timed the same way;
#  - soak: clip windows alive, memory, windows and GUI objects;
#  - start-up to the tray icon;
#  - CPU at rest: no clip, three counting clips, the About box open;
#  - copy through the X clipboard (xclip) to the clip window mapped on X;
# natively, the About box frame (Google Benchmark); and the size and DLL
# imports of velmor.exe.
# Usage: scripts/bench.sh [latency copies (500)] [soak copies (10000)] [xclip copies (200)]
# Environment: VELMOR_BENCH_IDLE_SECONDS (60), each stretch at rest;
# VELMOR_BENCH_ABOUT_SECONDS (10), the About box stretch; VELMOR_BENCH_STARTS
# (10), timed starts; VELMOR_BENCH_BASELINE_EXE, a velmor.exe to measure
# large texts and the About box with too, for comparison (a build from
# before a change). A quick run: VELMOR_BENCH_IDLE_SECONDS=5 scripts/bench.sh 50 500 20
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export VELMOR_BUILD="${VELMOR_BUILD:-$root/build}"
cd "$root"
latency_copies=${1:-500}
soak_copies=${2:-10000}
xclip_copies=${3:-200}

bash scripts/deps.sh
echo "== Building"
bash scripts/configure-win.sh "$VELMOR_BUILD"
cmake --build "$VELMOR_BUILD/win" -j2 --target velmor velmor_bench velmor_idle_bench velmor_start_bench \
  velmor_bare_viewer velmor_tray_floor velmor_large_bench velmor_shape_bench >/dev/null
# The native parts: a Release build without sanitizers, so that the time per
# frame is the one the program sees.
cmake -S . -B "$VELMOR_BUILD/bench-native" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DVELMOR_SANITIZE=OFF -DVELMOR_TESTS=OFF >/dev/null
cmake --build "$VELMOR_BUILD/bench-native" -j2 --target velmor_animation_bench velmor_xclip_bench velmor_xclip_floor velmor_about_frames >/dev/null

exe="$VELMOR_BUILD/win/velmor.exe"
probes="$VELMOR_BUILD/win/bench/win"
native="$VELMOR_BUILD/bench-native/bench/native"
out="$VELMOR_BUILD/bench"
rm -rf "$out"
mkdir -p "$out"
started=$(date +%s)
load_before=$(cut -d' ' -f1-3 /proc/loadavg)

# run_section <file> <command...>: the command prints a Markdown section; a
# failure is noted in it and the run goes on.
run_section() {
    local file=$1
    shift
    if ! "$@" </dev/null 2>"$file.err" | tr -d '\r' >"$file"; then
        printf '\n**This measurement ended with an error:** %s\n\n' "$(tail -3 "$file.err" | tr '\n' ' ')" >>"$file"
    fi
}

export VELMOR_DESKTOP=1
source scripts/wine-env.sh
trap stop_all EXIT
start_display
start_window_manager
start_wine

echo "== Copy to clip window against the bare viewer, and the soak ($latency_copies and $soak_copies copies)"
# Free CPUs: its ten alternating blocks, each program a fresh process, give
# both programs the scheduler's placements alike.
run_section "$out/1-clips.md" "$WINE" "$probes/velmor_bench.exe" "$latency_copies" "$soak_copies"
# compare <rows function>: a measure's table rows for the baseline (when one
# is given) and for ours, then our goal lines, then the baseline's for comparison.
compare() {
    local rows=$1 baseline="" current
    if [ -n "${VELMOR_BENCH_BASELINE_EXE:-}" ] && [ -f "$VELMOR_BENCH_BASELINE_EXE" ]; then
        baseline=$("$rows" "$VELMOR_BENCH_BASELINE_EXE" "before the change" 0)
        echo "$baseline" | grep '^|' || true
    fi
    current=$("$rows" "$exe" "velmor.exe")
    echo "$current" | grep '^|' || true
    echo
    echo "$current" | grep '^- ' || true
    if [ -n "$baseline" ]; then
        echo "$baseline" | grep '^- ' | sed 's/(goal[^)]*)/(before the change, for comparison)/g; s/(no goal set)/(before the change)/g; s/\*\*//g' || true
    fi
    echo
}

echo "== Long lines and 50 open clips"
shape_rows() {  # shape_rows <exe> <label> [floor]: the measure's table rows and goal lines for one program
    VELMOR_EXE="Z:$(echo "$1" | tr / '\\')" VELMOR_BENCH_LABEL="$2" VELMOR_BENCH_FLOOR="${3:-1}" \
        on_one_cpu "$WINE" "$probes/velmor_shape_bench.exe" "${VELMOR_BENCH_SHAPE_COPIES:-10}" "${VELMOR_BENCH_CROWD_COPIES:-200}" \
        </dev/null 2>>"$out/2-shapes.md.err" | tr -d '\r'
}
{
    echo "## Copy to clip: long lines, and 50 clips open"
    echo
    echo "The time from a copy in another Windows process to its visible clip window, as above. With the large-text"
    echo "filter off (IgnoreLargeText=0): a short text, then one unbroken line of 20,000 characters and one of 1 MB"
    echo "(letters and digits with no place to break, as a base64 blob or a minified script has), each copy a new"
    echo "text. Then, with MaxClipCount=50 and 50 clips open, copies that each close the oldest clip, against"
    echo "\`bare_viewer.exe 50\`, which keeps 50 windows open and hides and destroys the oldest: Wine's cost of 50"
    echo "top-most windows is in both."
    echo
    echo "| program | case | copies | median | max | missed (none in 60 s) |"
    echo "|---|---|---|---|---|---|"
    compare shape_rows
} >"$out/2-shapes.md"
echo "== Start-up"
run_section "$out/3-start.md" on_one_cpu "$WINE" "$probes/velmor_start_bench.exe"
echo "== At rest"
# The About box's frame rate is counted on the X server while the rest
# measure holds the box open.
about_seconds=${VELMOR_BENCH_ABOUT_SECONDS:-10}
"$native/velmor_about_frames" "$(( about_seconds > 3 ? about_seconds - 2 : 1 ))" >"$out/about-frames.md" 2>/dev/null &
frames_pid=$!
# The About box of the baseline, when there is one, is measured after ours.
if [ -n "${VELMOR_BENCH_BASELINE_EXE:-}" ] && [ -f "$VELMOR_BENCH_BASELINE_EXE" ]; then
    export VELMOR_BENCH_BASELINE="Z:$(echo "$VELMOR_BENCH_BASELINE_EXE" | tr / '\\')"
fi
run_section "$out/4-rest.md" "$WINE" "$probes/velmor_idle_bench.exe"
unset VELMOR_BENCH_BASELINE
kill "$frames_pid" 2>/dev/null || true
wait "$frames_pid" 2>/dev/null || true
cat "$out/about-frames.md" >>"$out/4-rest.md"

echo "== Large texts (xclip copies 10 MB and 100 MB)"
# serve_copies <folder>: the large-text measure asks for each copy with a
# file copy-<bytes>.req; xclip copies that many bytes of the text, then the
# file goes. Ends when <folder>/done appears.
serve_copies() {
    local folder=$1 request bytes
    while [ ! -e "$folder/done" ]; do
        for request in "$folder"/copy-*.req; do
            [ -e "$request" ] || continue
            bytes=${request##*/copy-}
            bytes=${bytes%.req}
            head -c "$bytes" "$folder/text" | xclip -selection clipboard
            rm -f "$request"
        done
        sleep 0.02
    done
}
copies="$out/large"
mkdir -p "$copies"
# yes ends on a broken pipe, which pipefail would take for a failure.
head -c $((100 << 20)) < <(yes 'A large copied text, line after line of it: 0123456789 abcdefghijklmnopqrstuvwxyz.') \
    >"$copies/text"
serve_copies "$copies" &
server_pid=$!
large_rows() {  # large_rows <exe> <label>: the measure's table rows and goal lines for one program
    VELMOR_EXE="Z:$(echo "$1" | tr / '\\')" VELMOR_BENCH_LABEL="$2" \
        "$WINE" "$probes/velmor_large_bench.exe" "Z:$(echo "$copies" | tr / '\\')" </dev/null 2>>"$out/5-large.md.err" |
        tr -d '\r'
}
{
    echo "## Large texts"
    echo
    echo "For each size, xclip copies that many bytes of plain text (lines of 85 characters) on the Linux side, to a"
    echo "velmor.exe started fresh with default settings (the large-text filter on, 1000 bytes) and then to one with"
    echo "the filter off. Meanwhile another Windows process sends its main window WM_NULL again and again (5 ms apart)"
    echo "and keeps the longest wait for an answer, samples its private memory for the peak above what it was before"
    echo "the copy, and notes when a clip window shows (the time runs from asking for the copy, xclip's start"
    echo "included), over 12 s per copy. The clipboard's UTF-16 block itself is read into the process: the goal allows"
    echo "that and 10 MB more with the filter on; with it off, the text is kept for the clip's copy back, and the goal"
    echo "allows the block's size times 1.5 and 10 MB more."
    echo
    echo "| program | text | filter | private memory before | peak growth | longest wait for an answer | clip shown after |"
    echo "|---|---|---|---|---|---|---|"
    compare large_rows
} >"$out/5-large.md"
touch "$copies/done"
wait "$server_pid" 2>/dev/null || true
rm -f "$copies/text"

echo "== Copy through the X clipboard ($xclip_copies copies)"
# The floor first, while no velmor.exe runs to answer the same copies.
"$native/velmor_xclip_bench" "$xclip_copies" --floor "$native/velmor_xclip_floor" </dev/null >"$out/xclip-floor.txt" 2>/dev/null || true
folder=$(mktemp -d "$out/xclip.XXXXXX")
cp "$exe" "$folder/"
(cd "$folder" && exec "$WINE" "$folder/velmor.exe" </dev/null >/dev/null 2>&1) &
velmor_pid=$!
run_section "$out/2-xclip.md" "$native/velmor_xclip_bench" "$xclip_copies" "$out/xclip-floor.txt"
kill "$velmor_pid" 2>/dev/null || true
wait "$velmor_pid" 2>/dev/null || true
stop_all
trap - EXIT
load_after=$(cut -d' ' -f1-3 /proc/loadavg)
minutes=$(( ($(date +%s) - started + 59) / 60 ))

echo "== About box frame (native)"
{
    echo "## About box frame (native)"
    echo
    echo "\`DrawFrame\` of the panel, 233 x 89 pixels with fifty walkers, a frame every 16 ms of animation time"
    echo "(Google Benchmark, Release build, five repetitions):"
    echo
    echo '```'
    "$native/velmor_animation_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
        2>/dev/null | grep -E '^(Benchmark|DrawFrame)' | tee "$out/frame.txt"
    echo '```'
    echo
    echo "- About box frame: DrawFrame $(awk '/_median/ {print $2, $3}' "$out/frame.txt") per frame, the median of five runs (no goal set)."
    echo
} >"$out/6-frame.md"

echo "== Size and imports"
# The size that counts is the shipped one: scripts/package.sh strips the symbols.
shipped="$out/velmor-stripped.exe"
x86_64-w64-mingw32-strip -o "$shipped" "$exe"
size=$(stat -c %s "$shipped")
dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print $3}')
# The DLLs that come with every Windows from 7 on; anything else would have to sit beside the program.
others=$(echo "$dlls" | grep -v -i -x -E 'kernel32\.dll|user32\.dll|gdi32\.dll|shell32\.dll|comctl32\.dll|comdlg32\.dll|advapi32\.dll|winspool\.drv|msvcrt\.dll|ole32\.dll|oleaut32\.dll|shlwapi\.dll|uxtheme\.dll|imm32\.dll|version\.dll|ntdll\.dll|api-ms-win-[a-z0-9-]+\.dll' || true)
size_goal=$(awk -v s="$size" 'BEGIN { print (s <= 1500000) ? "**met**" : "**missed**" }')
{
    echo "## Size and imports of velmor.exe"
    echo
    echo "- Size as shipped (stripped, as scripts/package.sh packs it): $size bytes, $(awk -v s="$size" 'BEGIN { printf "%.2f", s / 1000000 }') MB (goal <= 1.5 MB: $size_goal); with its symbols: $(stat -c %s "$exe") bytes."
    echo "- DLL imports (x86_64-w64-mingw32-objdump -p): $(echo "$dlls" | paste -s -d ' ' | sed 's/ /, /g')."
    if [ -z "$others" ]; then
        echo "- Only system DLLs: nothing needs to sit beside the program (goal: **met**)."
    else
        echo "- Not a system DLL: $(echo "$others" | paste -s -d ' ') (goal: **missed**)."
    fi
    echo
} >"$out/7-size.md"

results="$root/bench/results.md"
{
    echo "# Velmor benchmark results"
    echo
    echo "Written by \`bash scripts/bench.sh $latency_copies $soak_copies $xclip_copies\` with"
    echo "VELMOR_BENCH_IDLE_SECONDS=${VELMOR_BENCH_IDLE_SECONDS:-60}, VELMOR_BENCH_ABOUT_SECONDS=${VELMOR_BENCH_ABOUT_SECONDS:-10},"
    echo "VELMOR_BENCH_STARTS=${VELMOR_BENCH_STARTS:-10}. The machine is shared with other work: absolute times"
    echo "swing by up to 2x between runs, so compare within one run (the ratios) rather than across runs."
    echo
    echo "## Machine and conditions"
    echo
    echo "- Date: $(date -u -d "@$started" '+%Y-%m-%d %H:%M UTC'); the run took about $minutes minutes."
    echo "- CPU: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), $(grep -c '^processor' /proc/cpuinfo) logical processors."
    echo "- Memory: $(awk '/MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)."
    echo "- Kernel: $(uname -sr)."
    echo "- Wine: $("$WINE" --version), 64-bit prefix with Wine's own X11 settings (windows managed by the window manager)."
    echo "- Display: Xvfb 1280x800x24 with $(openbox --version | head -1) as the window manager."
    echo "- CPUs: the measures of long lines and 50 clips and of start-up run on CPU 0 with wineserver (taskset): a call"
    echo "  to wineserver on another CPU costs tens of microseconds more, and which CPUs their one process of each program"
    echo "  got swung a run's figures fourfold. The copy-to-clip measure runs free, as the rest: its ten alternating blocks"
    echo "  of fresh processes give both programs the placements alike."
    echo "- Load average (1, 5, 15 minutes) at the start: $load_before; at the end: $load_after."
    echo
    echo "## Summary"
    echo
    cat "$out"/[1-7]-*.md | grep -E '^- .*(\*\*(met|missed)\*\*|\(no goal set\))'
    echo
    cat "$out"/[1-7]-*.md
} >"$results"
sed -n '/^## Machine and conditions/,/^## Copy to a visible/p' "$results" | sed '$d'
echo "Full results: $results"
