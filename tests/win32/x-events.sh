#!/usr/bin/env bash
# Runs the test program TEST (under WINE) with a virtual X display and a Wine prefix of its own, both in a
# scratch folder that goes away at the end, so that nothing Wine writes lands elsewhere. The program asks
# for each click and key press by a line "@xdo ARGS" on its output; this script performs it with xdotool,
# as the X server would deliver a person's input, and answers "ok" (or "failed"). "@shot X Y WIDTH HEIGHT
# FILE" saves that part of the screen as a binary PPM in the program's folder.
#   x-events.sh WINE TEST
set -uo pipefail
wine=$1
program=$2
scratch=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-xevents.XXXXXX")
export HOME="$scratch/home" XDG_DATA_HOME="$scratch/home/.local/share" XDG_CONFIG_HOME="$scratch/home/.config"
export XDG_CACHE_HOME="$scratch/home/.cache"
# A 32-bit prefix, like the program; a UTF-8 locale, without which Wine cannot name files in other scripts.
export WINEPREFIX="$scratch/prefix" WINEARCH=win32 LC_ALL=C.UTF-8 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
mkdir -p "$HOME"
# VANTREL_TEST_DISPLAY picks the display number where several runs share a machine.
export DISPLAY=":${VANTREL_TEST_DISPLAY:-$((200 + RANDOM % 300))}"
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() {
    wineserver -k >/dev/null 2>&1
    kill "$xvfb" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT
for _ in $(seq 1 100); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
"$wine" wineboot -i >/dev/null 2>&1
# The design's bitmap faces and Tahoma are Wine's own, kept by Debian outside the prefix.
cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"

coproc TEST { cd "$scratch" && exec "$wine" "$program" 2>&1; }
out=${TEST[1]}
pid=$TEST_PID
while IFS= read -r line <&"${TEST[0]}"; do
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
