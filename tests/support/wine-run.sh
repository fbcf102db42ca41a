#!/usr/bin/env bash
# Runs a Windows test program under Wine for ctest, with its exit code:
# wine-run.sh <wine> <program> [arguments...]. Wine's console ends lines with
# CR LF, and ctest's test discovery would keep the CR in every test name.
set -o pipefail
"$@" | tr -d '\r'
