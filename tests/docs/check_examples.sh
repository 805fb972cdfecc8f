#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the examples of a page that are marked as runnable and fails when one no longer prints what
# the page shows. A runnable example is a fenced block opened by ``` or ```console (not ```sh)
# whose first line starts with "$ ": each "$ COMMAND" line runs under bash in WORKDIR with BINDIR
# first on PATH, standard error joined to standard output; the lines up to the next "$ " line or
# the block's end are what it must print, exactly. It must also exit 0 (an example that shows a failure says so with
# "; echo $?"). Usage: check_examples.sh PAGE WORKDIR BINDIR
set -uo pipefail
page=$1 workdir=$2 bindir=$3
failures=0 examples=0

run() { # COMMAND EXPECTED
    local got status
    examples=$((examples + 1))
    got=$(cd "$workdir" && PATH="$bindir:$PATH" COLUMNS=100 bash -c "$1" 2>&1)
    status=$?
    if [ "$status" -ne 0 ] || [ "$got" != "$2" ]; then
        failures=$((failures + 1))
        printf '%s: $ %s\n  status %d; expected:\n%s\n  got:\n%s\n' "$page" "$1" "$status" "$2" "$got" >&2
    fi
}

in_block=0 runnable=0 command="" expected="" have=0
while IFS= read -r line || [ -n "$line" ]; do
    if [[ $line =~ ^\`\`\` ]]; then
        if [ "$in_block" = 1 ]; then
            [ "$have" = 1 ] && run "$command" "$expected"
            in_block=0 runnable=0 have=0
        else
            in_block=1 runnable=-1
            [ "$line" = '```' ] || [ "$line" = '```console' ] || runnable=0
        fi
        continue
    fi
    [ "$in_block" = 1 ] || continue
    if [ "$runnable" = -1 ]; then
        [[ $line == '$ '* ]] && runnable=1 || runnable=0
    fi
    [ "$runnable" = 1 ] || continue
    if [[ $line == '$ '* ]]; then
        [ "$have" = 1 ] && run "$command" "$expected"
        command=${line#\$ } expected="" have=1 first=1
    elif [ "$first" = 1 ]; then
        expected=$line first=0
    else
        expected+=$'\n'$line
    fi
done <"$page"

if [ "$examples" = 0 ]; then
    echo "$page: no runnable example" >&2
    exit 1
fi
echo "$page: $examples examples, $failures failed"
[ "$failures" = 0 ]
