#!/usr/bin/env bash
# Runs the Qt test program TEST on a virtual X display of its own (Xvfb) with Qt's X11 platform, so that the
# input xdotool sends reaches the window as a person's does. VANTREL_TEST_DISPLAY chooses the display's number
# (where several runs share a machine); otherwise a free one is picked at random, and another one when that
# display turns out to be taken.
#   x-input.sh TEST [ARGS...]
set -uo pipefail
source "$(dirname "$0")/../../scripts/lib/common.sh"
program=$1
shift
trap stop_xvfb EXIT
start_xvfb 1280x1024x24 || exit 1
export QT_QPA_PLATFORM=xcb
"$program" "$@"
