#!/usr/bin/env bash
# SIGTERM or SIGINT while an "Error" box waits for the user: the box goes and
# the demo ends within 2 s along its usual path, leaving nothing running. After
# "Mode Switch Failed." (a display without 1024x768) the exit code is 0 and the
# display mode untouched; after "Error Creating OpenGL Window" (no GLX) it is 1.
set -u
source "${NORVEX_SOURCE:-$(dirname "$0")/../..}/tests/e2e/lib.sh"
NORVEX=$1
e2e_init

signal_box() {  # signal_box CASE SIGNAL EXIT_CODE
    local box stamp
    e2e_start_norvex_session "$NORVEX"
    box=$(e2e_error_box 10) || { e2e_fail "$1: no \"Error\" box"; return; }
    sleep 0.5  # painted and waiting
    stamp=$(date +%s%N)
    kill "-$2" "$E2E_NORVEX"
    e2e_expect_exit "$1" 2 "$3"
    e2e_log "measure: $1: gone $(e2e_ms_since "$stamp") ms after the signal"
    e2e_check "$1: the box is gone" e2e_wait_for 1 sh -c "! xwininfo -id $box >/dev/null 2>&1"
    e2e_check "$1: nothing left running" e2e_wait_for 1 e2e_nothing_left "$E2E_NORVEX"
}

e2e_start_desktop 1280x1024x24
for signal in TERM INT; do
    signal_box "mode switch failed, SIG$signal" "$signal" 0
    e2e_check "mode switch failed, SIG$signal: display mode untouched" test "$(e2e_xrandr_mode)" = 1280x1024
done
# Dismissed by the user, the box hands the signals back: SIGTERM then ends the windowed demo.
e2e_start_norvex_session "$NORVEX"
box=$(e2e_error_box 10) && e2e_wait_for 5 sh -c "xdotool key --window $box Return 2>/dev/null; ! xwininfo -id $box >/dev/null 2>&1" &&
    id=$(e2e_find_window "$TITLE" 10) && e2e_drawing "$id" || e2e_fail "box dismissed: no window drawing after it"
kill -TERM "$E2E_NORVEX"
e2e_expect_exit "box dismissed, then SIGTERM" 2 0
kill -KILL "$E2E_XVFB"
e2e_start_xvfb 1024x768x24 -extension GLX || { echo "Xvfb did not start"; exit 1; }
signal_box "no OpenGL window, SIGTERM" TERM 1
e2e_finish
