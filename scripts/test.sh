#!/usr/bin/env bash
# Runs every test tier: native unit tests (ASan/UBSan), an LTO link of the
# Windows objects for one-definition-rule breaks, the Windows toolkit tests
# under Wine, and the end-to-end tests of the real velmor.exe.
# Prints each tier's summary and a last "N passed, N failed" line.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export VELMOR_BUILD="${VELMOR_BUILD:-$root/build}"
cd "$root"

bash scripts/deps.sh || exit 1

fail() { echo "test.sh: $*" >&2; exit 1; }

echo "== Building (native core and unit tests)"
cmake -S . -B "$VELMOR_BUILD/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null || fail "native configure failed"
cmake --build "$VELMOR_BUILD/native" >"$VELMOR_BUILD/native-build.log" 2>&1 || { tail -50 "$VELMOR_BUILD/native-build.log"; fail "native build failed"; }

echo "== Building (Windows: velmor.exe and test drivers)"
bash scripts/build-gtest-win.sh "$VELMOR_BUILD" || fail "GoogleTest for Windows failed to build"
cmake -S . -B "$VELMOR_BUILD/win" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DVELMOR_TESTS=ON \
  -DGTest_DIR="$VELMOR_BUILD/gtest-win/install/lib/cmake/GTest" >/dev/null || fail "Windows configure failed"
cmake --build "$VELMOR_BUILD/win" >"$VELMOR_BUILD/win-build.log" 2>&1 || { tail -50 "$VELMOR_BUILD/win-build.log"; fail "Windows build failed"; }

passed=0
failed=0
tally() {  # tally <gtest log>: adds the counts of a GoogleTest run
    local log=$1 p f
    p=$(grep -a -E '^\[  PASSED  \] [0-9]+ test' "$log" | tail -1 | grep -o -E '[0-9]+' | head -1)
    f=$(grep -a -E '^\[  FAILED  \] [0-9]+ test' "$log" | tail -1 | grep -o -E '[0-9]+' | head -1)
    passed=$((passed + ${p:-0}))
    failed=$((failed + ${f:-0}))
}

# A type or inline function defined differently in two files breaks the
# program silently; LTO sees every object of the Windows build at once and
# -Werror=odr fails on it. About 20-45 s in a fresh folder, nothing when no
# source changed.
echo "== ODR check (Windows objects, LTO)"
if cmake -S . -B "$VELMOR_BUILD/odr" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
     -DVELMOR_TESTS=OFF -DVELMOR_ODR_CHECK=ON >/dev/null &&
   cmake --build "$VELMOR_BUILD/odr" --target velmor_odr_check >"$VELMOR_BUILD/odr-build.log" 2>&1; then
    passed=$((passed + 1)); echo "[  PASSED  ] velmor_odr_check"
else
    failed=$((failed + 1)); echo "[  FAILED  ] velmor_odr_check"; grep -a -E 'error|note' "$VELMOR_BUILD/odr-build.log" | head -30
fi

# Arrows between the folders of src/ point one way (scripts/check-layers.sh).
echo "== Layer check (includes between src/ folders)"
if bash scripts/check-layers.sh; then
    passed=$((passed + 1)); echo "[  PASSED  ] layer check"
else
    failed=$((failed + 1)); echo "[  FAILED  ] layer check"
fi

echo "== Unit tests (native)"
ctest --test-dir "$VELMOR_BUILD/native" --output-on-failure --timeout 120 -j2 >"$VELMOR_BUILD/unit.log" 2>&1
unit_rc=$?
grep -E 'tests passed|tests failed|\*\*\*Failed|Failed  ' "$VELMOR_BUILD/unit.log" | tail -20
p=$(grep -o -E '[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$VELMOR_BUILD/unit.log" | tail -1)
if [ -n "$p" ]; then
    total=$(echo "$p" | grep -o -E '[0-9]+$'); bad=$(echo "$p" | sed -E 's/.* ([0-9]+) tests failed.*/\1/')
    passed=$((passed + total - bad)); failed=$((failed + bad))
else
    failed=$((failed + 1)); tail -30 "$VELMOR_BUILD/unit.log"
fi

echo "== Fuzz smoke runs (libFuzzer, ${VELMOR_FUZZ_SECONDS:-10} s each)"
if cmake -S fuzz -B "$VELMOR_BUILD/fuzz" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null &&
   cmake --build "$VELMOR_BUILD/fuzz" >"$VELMOR_BUILD/fuzz-build.log" 2>&1; then
    for target in "$VELMOR_BUILD"/fuzz/*_fuzz; do
        # Only the targets: the corpus folders of earlier runs match the pattern too.
        [ -f "$target" ] && [ -x "$target" ] || continue
        name=$(basename "$target")
        corpus="$VELMOR_BUILD/fuzz/corpus-$name"
        mkdir -p "$corpus"
        # New finds go to the build folder; the seeds kept in the repository are read too.
        seeds=()
        [ -d "fuzz/corpus/${name%_fuzz}" ] && seeds=("fuzz/corpus/${name%_fuzz}")
        if "$target" -max_total_time="${VELMOR_FUZZ_SECONDS:-10}" "$corpus" "${seeds[@]}" >"$VELMOR_BUILD/$name.log" 2>&1; then
            passed=$((passed + 1)); echo "[  PASSED  ] $name: $(grep -a -o -E 'Done [0-9]+ runs' "$VELMOR_BUILD/$name.log" | tail -1)"
        else
            failed=$((failed + 1)); echo "[  FAILED  ] $name"; tail -30 "$VELMOR_BUILD/$name.log"
        fi
    done
else
    failed=$((failed + 1)); echo "fuzz targets failed to build"; tail -30 "$VELMOR_BUILD/fuzz-build.log"
fi

# The README's first command, as a newcomer runs it: its own display and
# prefix, so it goes before the tiers below take theirs.
echo "== Headless demo (scripts/run.sh without a display)"
bash tests/demo/headless_demo_test.sh >"$VELMOR_BUILD/demo.log" 2>&1
grep -a -E '^\[ +(OK|FAILED) +\]' "$VELMOR_BUILD/demo.log"
grep -a -v -E '^\[ +(OK|FAILED) +\]' "$VELMOR_BUILD/demo.log" | tail -20
passed=$((passed + $(grep -a -c -E '^\[       OK \]' "$VELMOR_BUILD/demo.log")))
demo_failed=$(grep -a -c -E '^\[  FAILED  \]' "$VELMOR_BUILD/demo.log")
[ "$(grep -a -c -E '^\[ +(OK|FAILED) +\]' "$VELMOR_BUILD/demo.log")" -eq 2 ] || demo_failed=$((demo_failed + 1))
failed=$((failed + demo_failed))

# Wine takes the encoding of file names from the Unix locale: with one that is
# not generated here, names outside ASCII fail, and so do the tests of folders
# named in other scripts. C.UTF-8 always exists and gives an English system.
export LANG=C.UTF-8
unset LC_ALL
source scripts/wine-env.sh
trap stop_all EXIT
start_display || fail "no X display"
start_wine

run_wine_tier() {  # run_wine_tier <name> <exe> [gtest arguments...]
    local name=$1 exe=$2 log="$VELMOR_BUILD/$1.log"
    shift 2
    echo "== $name"
    ( cd "$(dirname "$exe")" && timeout 1800 "$WINE" "$exe" --gtest_color=no "$@" ) </dev/null >"$log.raw" 2>&1
    local rc=$?
    tr -d '\r' <"$log.raw" >"$log"
    grep -a -E '^\[  (PASSED|FAILED) +\]|^\[==========\] [0-9]+ tests? ' "$log" | tail -25
    tally "$log"
    # A run cut short (the timeout, a crash) prints no summary: its failed
    # tests are in no count, so the tier itself counts as one.
    if [ $rc -ne 0 ] && ! grep -q -a -E '^\[  FAILED  \] [0-9]+ tests?, listed below' "$log"; then
        echo "$name ended with code $rc before its summary"; tail -30 "$log"; failed=$((failed + 1))
    fi
}

run_wine_tier "Wine tests" "$VELMOR_BUILD/win/tests/win/velmor_win_tests.exe"
run_wine_tier "End-to-end tests" "$VELMOR_BUILD/win/tests/e2e/velmor_e2e_tests.exe"
# Tests of text in the system code page run again with a Japanese system
# (code page 932); elsewhere they skip themselves.
make_japanese_locale || fail "cannot make the Japanese locale"
LANG=ja_JP.UTF-8 LOCPATH="$VELMOR_BUILD/locale" run_wine_tier "End-to-end tests, code page 932" \
    "$VELMOR_BUILD/win/tests/e2e/velmor_e2e_tests.exe" --gtest_filter='*CodePage932*'

echo
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ $unit_rc -eq 0 ]
