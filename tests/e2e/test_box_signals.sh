#!/usr/bin/env bash
# SIGTERM or SIGINT while an "Error" box waits for the user: the box goes and
# the demo ends within 2 s along its usual path, leaving nothing running.
# After "Mode Switch Failed." (a display without 1024x768) it ends with exit
# code 0 and the display mode untouched; after "Error Creating OpenGL Window"
# (a display without GLX) with exit code 1.
set -u
source "${NORVEX_SOURCE:-$(dirname "$0")/../..}/tests/e2e/lib.sh"
NORVEX=$1
LIMIT_MS=2000
e2e_init

# signal_box CASE SIGNAL EXIT_CODE: starts the demo, waits for its box, signals it.
signal_box() {
    local case=$1 signal=$2 code=$3 box stamp took
    e2e_start_norvex_session "$NORVEX"
    box=$(e2e_error_box 10) || { e2e_fail "$case: no \"Error\" box"; return; }
    sleep 0.5  # the box painted and waiting
    stamp=$(date +%s%N)
    kill "-$signal" "$E2E_NORVEX"
    if e2e_wait_exit "$E2E_NORVEX" 5; then
        took=$(e2e_ms_since "$stamp")
        e2e_log "measure: $case: SIG$signal to exit $took ms, exit code $E2E_EXIT"
        e2e_check "$case: exit code $code" test "$E2E_EXIT" -eq "$code"
        e2e_check "$case: gone within $LIMIT_MS ms" test "$took" -le "$LIMIT_MS"
    else
        e2e_fail "$case: still running 5 s after SIG$signal"
    fi
    e2e_check "$case: the box is gone" e2e_wait_for 1 sh -c "! xwininfo -id $box >/dev/null 2>&1"
    e2e_check "$case: nothing left running" e2e_wait_for 1 e2e_nothing_left "$E2E_NORVEX"
}

e2e_start_desktop 1280x1024x24
for signal in TERM INT; do
    signal_box "mode switch failed, SIG$signal" "$signal" 0
    e2e_check "mode switch failed, SIG$signal: display mode untouched" test "$(e2e_xrandr_mode)" = 1280x1024
done
kill -KILL "$E2E_XVFB"

e2e_start_xvfb 1024x768x24 -extension GLX || { echo "Xvfb did not start"; exit 1; }
signal_box "no OpenGL window, SIGTERM" TERM 1
e2e_finish
