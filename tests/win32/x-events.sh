#!/usr/bin/env bash
# Runs the test program TEST (under WINE) with a virtual X display and a Wine prefix of its own, both in a
# scratch folder that goes away at the end, so that nothing Wine writes lands elsewhere. The program asks
# for each click and key press by a line "@xdo ARGS" on its output; this script performs it with xdotool,
# as the X server would deliver a person's input, and answers "ok" (or "failed"). "@shot X Y WIDTH HEIGHT
# FILE" saves that part of the screen as a binary PPM in the program's folder.
#   x-events.sh WINE TEST
set -uo pipefail
source "$(dirname "$0")/../../scripts/lib/common.sh"
wine=$1
program=$2
wine_scratch
scratch=$WINE_SCRATCH
cleanup() {
    wine_scratch_remove
    stop_xvfb
}
trap cleanup EXIT
# VANTREL_TEST_DISPLAY picks the display number where several runs share a machine.
start_xvfb 1280x1024x24 || exit 1
"$wine" wineboot -i >/dev/null 2>&1
wine_fonts

coproc TEST { cd "$scratch" && exec "$wine" "$program" 2>&1; }
# Bash closes the coprocess's descriptors and forgets them once it has ended: copies are kept here for the lines
# still to read.
exec {in}<&"${TEST[0]}" {out}>&"${TEST[1]}"
pid=$TEST_PID
while IFS= read -r line <&"$in"; do
    line=${line%$'\r'}
    if [[ $line == "@xdo "* ]]; then
        # shellcheck disable=SC2086 # the arguments are words
        if xdotool ${line#@xdo } >/dev/null 2>&1; then echo ok >&"$out"; else echo failed >&"$out"; fi
    elif [[ $line == "@shot "* ]]; then
        read -r x y width height file <<<"${line#@shot }"
        if import -window root -crop "${width}x${height}+${x}+${y}" -depth 8 "ppm:$scratch/$file" 2>/dev/null; then
            echo ok >&"$out"
        else
            echo failed >&"$out"
        fi
    else
        echo "$line"
    fi
done
wait "$pid"
