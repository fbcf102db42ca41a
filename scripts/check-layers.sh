#!/usr/bin/env bash
# Arrows between the folders of src/ point one way: a file includes from its
# own folder and from folders of a lower layer only. Prints each include that
# breaks this (or comes from a folder not placed here) and fails on any.
#   platform <- ui <- widgets, clipboard, about <- settings <- clipwindow <- app
set -uo pipefail
cd "$(dirname "$0")/../src"
declare -A layer=([platform]=0 [ui]=1 [widgets]=2 [clipboard]=2 [about]=2 [settings]=3 [clipwindow]=4 [app]=5)
bad=0
while IFS=: read -r file line text; do
    from=${file%%/*}
    to=${text#*\"}; to=${to%%/*}
    [ "$from" = "$to" ] && continue
    if [ -z "${layer[$from]:-}" ] || [ -z "${layer[$to]:-}" ] || [ "${layer[$to]}" -ge "${layer[$from]}" ]; then
        echo "src/$file:$line: $from may not include $to: $text"
        bad=1
    fi
done < <(grep -n -E '^\s*#\s*include\s*"[^"/]+/' -- */*.h */*.cpp)
exit $bad
