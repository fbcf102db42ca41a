#!/usr/bin/env bash
# Runs every libFuzzer target for longer than the test script's smoke runs:
#   bash scripts/fuzz.sh [seconds per target, default 300]
# Each target starts from its seeds in fuzz/corpus/<name> and from what earlier
# runs kept in $VELMOR_BUILD/fuzz/corpus-<target>, and adds its new finds
# there. Prints the executions reached and the findings of each target; a
# finding (crash, timeout, out of memory) is kept in
# $VELMOR_BUILD/fuzz/findings/<target>/ until the next run, and the script
# then ends with a non-zero status. Reproduce one with: <target> <file>
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export VELMOR_BUILD="${VELMOR_BUILD:-$root/build}"
seconds="${1:-300}"
cd "$root"

bash scripts/deps.sh || exit 1

fuzz_build="$VELMOR_BUILD/fuzz"
cmake -S fuzz -B "$fuzz_build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null || { echo "fuzz.sh: configure failed" >&2; exit 1; }
cmake --build "$fuzz_build" -j2 >"$VELMOR_BUILD/fuzz-build.log" 2>&1 || { tail -30 "$VELMOR_BUILD/fuzz-build.log"; echo "fuzz.sh: build failed" >&2; exit 1; }

found=0
for target in "$fuzz_build"/*_fuzz; do
    [ -f "$target" ] && [ -x "$target" ] || continue  # the corpus folders match the pattern too
    name=$(basename "$target")
    corpus="$fuzz_build/corpus-$name"
    findings="$fuzz_build/findings/$name"
    log="$fuzz_build/$name-long.log"
    rm -rf "$findings"
    mkdir -p "$corpus" "$findings"
    seeds=()
    [ -d "fuzz/corpus/${name%_fuzz}" ] && seeds=("fuzz/corpus/${name%_fuzz}")
    # A single input that takes seconds is a finding as well: the inputs are small files.
    "$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$findings/" "$corpus" "${seeds[@]}" >"$log" 2>&1
    rc=$?
    runs=$(grep -a -o -E 'stat::number_of_executed_units: [0-9]+' "$log" | grep -o -E '[0-9]+$' | tail -1)
    echo "$name: ${runs:-?} executions in ${seconds} s, corpus $(find "$corpus" -type f | wc -l) files"
    if [ -n "$(ls -A "$findings")" ]; then
        found=1
        for file in "$findings"/*; do echo "  finding: $file"; done
        grep -a -E '^==[0-9]+==ERROR|^SUMMARY' "$log" | head -5 | sed 's/^/  /'
    elif [ "$rc" -ne 0 ]; then
        found=1
        echo "  ended with status $rc:"; tail -10 "$log" | sed 's/^/  /'
    fi
done
[ "$found" -eq 0 ]
