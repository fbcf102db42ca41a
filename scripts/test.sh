#!/usr/bin/env bash
# Runs every test tier through ctest: native unit tests (ASan/UBSan) and the
# layer check, fuzz smoke runs, the headless demo, an LTO link of the Windows
# objects for one-definition-rule breaks, the Windows toolkit tests under Wine,
# and the end-to-end tests of the real velmor.exe (again with a Japanese system
# for the tests of code page 932). The Windows tree is built once for all.
# Prints each tier's summary and a last "N passed, N failed" line; logs and
# JUnit files are in the build folder, one per tier.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export VELMOR_BUILD="${VELMOR_BUILD:-$root/build}"
cd "$root"

bash scripts/deps.sh || exit 1
mkdir -p "$VELMOR_BUILD"

fail() { echo "test.sh: $*" >&2; exit 1; }

echo "== Building (native core and unit tests)"
cmake -S . -B "$VELMOR_BUILD/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null || fail "native configure failed"
cmake --build "$VELMOR_BUILD/native" >"$VELMOR_BUILD/native-build.log" 2>&1 || { tail -50 "$VELMOR_BUILD/native-build.log"; fail "native build failed"; }

echo "== Building (Windows: velmor.exe, tools, test programs, benchmarks)"
bash scripts/configure-win.sh "$VELMOR_BUILD" || fail "Windows configure failed"
cmake --build "$VELMOR_BUILD/win" >"$VELMOR_BUILD/win-build.log" 2>&1 || { tail -50 "$VELMOR_BUILD/win-build.log"; fail "Windows build failed"; }

echo "== Building (fuzz targets, clang)"
cmake -S fuzz -B "$VELMOR_BUILD/fuzz" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
  -DVELMOR_FUZZ_SECONDS="${VELMOR_FUZZ_SECONDS:-10}" >/dev/null || fail "fuzz configure failed"
cmake --build "$VELMOR_BUILD/fuzz" >"$VELMOR_BUILD/fuzz-build.log" 2>&1 || { tail -30 "$VELMOR_BUILD/fuzz-build.log"; fail "fuzz build failed"; }

passed=0
failed=0
# tier <name> <tree> [ctest arguments...]: runs one tier's tests, prints its
# summary and failures, and adds its counts, read from ctest's JUnit file.
tier() {
    local name=$1 tree=$2 log="$VELMOR_BUILD/$1.log" xml="$VELMOR_BUILD/$1.xml"
    shift 2
    rm -f "$xml"
    ctest --test-dir "$tree" --output-on-failure --no-tests=error --output-junit "$xml" "$@" >"$log" 2>&1
    local rc=$?
    grep -a -E 'tests passed|\(Failed\)|\(Timeout\)|\(Not Run\)|\(Skipped\)|\*\*\*' "$log" | tail -25
    # Each test is a <testcase> with a status; a test that skipped itself is
    # "notrun" with the skip's own mark, any other test not run failed.
    local cases run skipped other
    cases=$(grep -a -o -E '^\s*<testcase .* status="[a-z]+">$|<skipped message="SKIP_REGULAR_EXPRESSION_MATCHED"' "$xml" 2>/dev/null)
    run=$(grep -c 'status="run"' <<<"$cases")
    skipped=$(grep -c -E 'status="disabled"|<skipped' <<<"$cases")
    other=$(($(grep -c '<testcase' <<<"$cases") - run - skipped))
    passed=$((passed + run))
    failed=$((failed + other))
    # No results at all, or ctest failing with no failed test (a discovery
    # that could not list the tests): the tier itself counts as one.
    if [ $((run + skipped + other)) -eq 0 ] || { [ $rc -ne 0 ] && [ "$other" -eq 0 ]; }; then
        echo "$name: ctest ended with code $rc"; tail -30 "$log"; failed=$((failed + 1))
    fi
}

echo "== Unit tests (native) and layer check"
tier unit "$VELMOR_BUILD/native" -j2 --timeout 120
echo "== Fuzz smoke runs (libFuzzer, ${VELMOR_FUZZ_SECONDS:-10} s each)"
tier fuzz "$VELMOR_BUILD/fuzz" -j2
# Wine takes the encoding of file names from the Unix locale: with one that is
# not generated here, names outside ASCII fail, and so do the tests of folders
# named in other scripts. C.UTF-8 always exists and gives an English system.
export LANG=C.UTF-8
unset LC_ALL
source scripts/wine-env.sh
trap stop_all EXIT
start_display || fail "no X display"
# ctest lists the tests of the Windows programs under Wine for every tier of
# the Windows tree, so these come after Wine is up.
start_wine

# A type or inline function defined differently in two files breaks the
# program silently; LTO sees every object of the Windows build at once and
# -Werror=odr fails on it.
echo "== ODR check (Windows objects, LTO)"
tier odr "$VELMOR_BUILD/win" -L '^odr$'
# The README's first command, as a newcomer runs it, with a display and a
# prefix of its own.
echo "== Headless demo (scripts/run.sh without a display)"
tier demo "$VELMOR_BUILD/win" -L '^demo$'

echo "== Wine tests"
tier win "$VELMOR_BUILD/win" -L '^win$'
echo "== End-to-end tests"
tier e2e "$VELMOR_BUILD/win" -L '^e2e$'
# Tests of text in the system code page run again with a Japanese system
# (code page 932); elsewhere they skip themselves.
make_japanese_locale || fail "cannot make the Japanese locale"
echo "== End-to-end tests, code page 932"
LANG=ja_JP.UTF-8 LOCPATH="$VELMOR_BUILD/locale" tier e2e-cp932 "$VELMOR_BUILD/win" -L '^e2e$' -R CodePage932

echo
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
