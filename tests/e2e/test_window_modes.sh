#!/usr/bin/env bash
# Full screen at start, F1 to a window and back, minimise and restore, Escape:
# the demo as a user meets it, under Xvfb (one 1024x768 mode) and openbox.
set -u
source "${NORVEX_SOURCE:-$(dirname "$0")/../..}/tests/e2e/lib.sh"
NORVEX=$1
e2e_init
e2e_start_desktop

start=$(date +%s%N)
e2e_start_norvex "$NORVEX"
id=$(e2e_find_window "$TITLE" 10) || { e2e_fail "no window titled '$TITLE'"; cat "$E2E_TMP/norvex.err"; exit 1; }
e2e_log "measure: window shown $(e2e_ms_since "$start") ms after start"
e2e_check "full screen at (0,0), 1024 x 768" test "$(e2e_geometry "$id")" = "0 0 1024 768"
e2e_check "full-screen state" e2e_fullscreen "$id"
e2e_log "measure: CPU while drawing: $(e2e_cpu_over "$E2E_NORVEX" 1) ticks/s"
e2e_check "frames are drawn (the picture changes)" e2e_drawing "$id"

e2e_focus "$id"
e2e_hold F1 10 e2e_has_new_window "$TITLE" "$id" || { e2e_fail "F1 built no new window"; exit 1; }
id2=$(e2e_new_window "$TITLE" "$id" 1)
e2e_check "windowed: client area 1024 x 768" test "$(e2e_geometry "$id2" | cut -d' ' -f3-)" = "1024 768"
e2e_check "windowed: frame at the top-left" test "$(e2e_frame_geometry "$id2" | cut -d' ' -f1-2)" = "0 0"
e2e_check "windowed: not full screen" test ! "$(e2e_fullscreen "$id2" && echo yes)"

e2e_focus "$id2"
e2e_hold F1 10 e2e_has_new_window "$TITLE" "$id2" || { e2e_fail "second F1 built no new window"; exit 1; }
id3=$(e2e_new_window "$TITLE" "$id2" 1)
e2e_check "full screen again at (0,0), 1024 x 768" test "$(e2e_geometry "$id3")" = "0 0 1024 768"
e2e_check "full-screen state again" e2e_fullscreen "$id3"

xdotool windowminimize --sync "$id3"
still() { [ "$(e2e_cpu_over "$E2E_NORVEX" 0.3)" -eq 0 ]; }
e2e_wait_for 5 still  # the frame in flight finishes, however slowly on a busy machine
idle=$(e2e_cpu_over "$E2E_NORVEX" 2)
e2e_log "measure: CPU while minimised: $idle ticks over 2 s"
e2e_check "minimised: no frames, next to no CPU" test "$idle" -le 5

xdotool windowactivate --sync "$id3" >/dev/null 2>&1 || wmctrl -i -a "$id3"
e2e_log "measure: CPU restored: $(e2e_cpu_over "$E2E_NORVEX" 1) ticks/s"
e2e_check "restored: frames again (the picture changes)" e2e_drawing "$id3"
e2e_check "restored: still the same window" test "$(e2e_find_window "$TITLE" 2)" = "$id3"

e2e_focus "$id3"
pressed=$(date +%s%N)
if e2e_hold Escape 2 e2e_gone "$E2E_NORVEX" && e2e_wait_exit "$E2E_NORVEX" 1; then
    e2e_log "measure: exit $(e2e_ms_since "$pressed") ms after Escape went down"
    e2e_check "Escape: exit code 0" test "$E2E_EXIT" -eq 0
else
    e2e_fail "Escape: still running 2 s later"
fi
e2e_check "nothing on stderr" test ! -s "$E2E_TMP/norvex.err"
e2e_finish
