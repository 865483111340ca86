#!/usr/bin/env bash
# Runs the Qt test program TEST on a virtual X display of its own (Xvfb) with Qt's X11 platform, so that the
# input xdotool sends reaches the window as a person's does. VANTREL_TEST_DISPLAY chooses the display's number
# (where several runs share a machine); otherwise a free one is picked at random, and another one when that
# display turns out to be taken.
#   x-input.sh TEST [ARGS...]
set -uo pipefail
program=$1
shift
xvfb=""
trap '[ -n "$xvfb" ] && { kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; }' EXIT
for _ in 1 2 3 4 5; do
    number=${VANTREL_TEST_DISPLAY:-$((200 + RANDOM % 300))}
    [ -n "${VANTREL_TEST_DISPLAY:-}" ] || [ ! -e "/tmp/.X$number-lock" ] || continue
    export DISPLAY=":$number" QT_QPA_PLATFORM=xcb
    Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 1 100); do
        xdotool getmouselocation >/dev/null 2>&1 && break
        kill -0 "$xvfb" 2>/dev/null || break
        sleep 0.1
    done
    # Our server, not another one already on that display.
    kill -0 "$xvfb" 2>/dev/null && xdotool getmouselocation >/dev/null 2>&1 && break
    kill "$xvfb" 2>/dev/null
    wait "$xvfb" 2>/dev/null
    xvfb=""
done
[ -n "$xvfb" ] || { echo "x-input.sh: no virtual X display could be started" >&2; exit 1; }
"$program" "$@"
