#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The reader's progress lines reach a file line by line: killed while its output goes to a file,
# the program has already written them. Usage: progress_lines_survive_a_kill.sh RATEWISE TITLE_SET
out=$(mktemp)
QT_QPA_PLATFORM=offscreen "$1" "$2" >"$out" 2>/dev/null &
pid=$!
# The window is up long before 10 s; the lines are there as soon as the load has run.
for _ in $(seq 100); do
    grep -q '^---$' "$out" && break
    sleep 0.1
done
kill -9 "$pid"
wait "$pid" 2>/dev/null
status=0
grep -q "^Parsing \"$2\"\.\.\.$" "$out" && grep -q '^TIME MAP TABLE$' "$out" || status=1
[ $status -eq 0 ] || { echo "missing progress lines; got:"; cat "$out"; }
rm -f "$out"
exit $status
