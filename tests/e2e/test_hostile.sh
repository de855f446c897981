#!/usr/bin/env bash
# Hostile surroundings: no display at all, a display without GLX, and the X
# server killed under the running demo (drawing, and minimised, blocked waiting).
# Each time the user gets a message naming the trouble, the demo ends with a
# non-zero exit code within 2 s, and nothing it started is left running.
set -u
source "${NORVEX_SOURCE:-$(dirname "$0")/../..}/tests/e2e/lib.sh"
NORVEX=$1
LIMIT_MS=2000
e2e_init
mkdir -p "$E2E_TMP/runtime" && chmod 700 "$E2E_TMP/runtime"

# ends_badly CASE MESSAGE_PATTERN STAMP: the demo ended non-zero within the
# limit after STAMP, said MESSAGE_PATTERN on stderr, and left nothing behind.
ends_badly() {
    local case=$1 pattern=$2 stamp=$3
    if e2e_wait_exit "$E2E_NORVEX" 5; then
        local took
        took=$(e2e_ms_since "$stamp")
        e2e_log "measure: $case: exit code $E2E_EXIT after $took ms"
        e2e_check "$case: non-zero exit code" test "$E2E_EXIT" -ne 0
        e2e_check "$case: within $LIMIT_MS ms" test "$took" -le "$LIMIT_MS"
    else
        e2e_fail "$case: still running 5 s later"
    fi
    e2e_check "$case: stderr says why" grep -qE "$pattern" "$E2E_TMP/norvex.err"
    e2e_wait_for 1 e2e_nothing_left "$E2E_NORVEX"
    e2e_check "$case: nothing left running" e2e_nothing_left "$E2E_NORVEX"
    [ "$E2E_FAILED" -eq 0 ] || { e2e_session_left "$E2E_NORVEX"; cat "$E2E_TMP/norvex.err"; }
}

# No display: one line on stderr says so.
start=$(date +%s%N)
DISPLAY='' WAYLAND_DISPLAY='' XDG_RUNTIME_DIR="$E2E_TMP/runtime" e2e_start_norvex_session "$NORVEX"
ends_badly "no display" '^norvex: no display to draw on' "$start"

# A display without GLX: the window cannot get a GL visual; the error box is
# shown on the display and the demo ends once the user has dismissed it.
e2e_start_xvfb 1024x768x24 -extension GLX || { echo "Xvfb did not start"; exit 1; }
start=$(date +%s%N)
e2e_start_norvex_session "$NORVEX"
if box=$(e2e_error_box 5); then
    e2e_log "measure: no GLX: error box after $(e2e_ms_since "$start") ms"
    e2e_check "no GLX: error box within $LIMIT_MS ms" test "$(e2e_ms_since "$start")" -le "$LIMIT_MS"
    e2e_wait_for 5 e2e_bands_are "$box" 2  # its text and its button, painted
    dismissed=$(date +%s%N)
    xdotool key --window "$box" Return 2>/dev/null
    ends_badly "no GLX" 'GLX' "$dismissed"
else
    e2e_fail "no GLX: no error box"
    ends_badly "no GLX" 'GLX' "$start"
fi
kill -KILL "$E2E_XVFB" 2>/dev/null
wait "$E2E_XVFB" 2>/dev/null

# The X server killed under the demo, while it draws and while it is minimised.
for state in drawing minimised; do
    e2e_start_desktop
    e2e_start_norvex_session "$NORVEX"
    id=$(e2e_find_window "$TITLE" 20) || { e2e_fail "X killed, $state: no window"; continue; }
    e2e_drawing "$id"
    if [ "$state" = minimised ]; then
        xdotool windowminimize --sync "$id"
        sleep 0.5
    fi
    killed=$(date +%s%N)
    kill -KILL "$E2E_XVFB"
    wait "$E2E_XVFB" 2>/dev/null
    ends_badly "X killed, $state" 'X connection|X server|XIO' "$killed"
done
e2e_finish
