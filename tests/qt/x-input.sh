#!/usr/bin/env bash
# Runs the Qt test program TEST on a virtual X display of its own (Xvfb) with Qt's X11 platform, so that the
# input xdotool sends reaches the window as a person's does. VANTREL_TEST_DISPLAY chooses the display's number
# (where several runs share a machine); otherwise a free one is picked at random.
#   x-input.sh TEST [ARGS...]
set -uo pipefail
program=$1
shift
number=${VANTREL_TEST_DISPLAY:-}
if [ -z "$number" ]; then
    for _ in $(seq 1 50); do
        number=$((200 + RANDOM % 300))
        [ -e "/tmp/.X$number-lock" ] || break
    done
fi
export DISPLAY=":$number" QT_QPA_PLATFORM=xcb
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null' EXIT
for _ in $(seq 1 100); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
xdotool getmouselocation >/dev/null 2>&1 || { echo "x-input.sh: no X display $DISPLAY" >&2; exit 1; }
"$program" "$@"
