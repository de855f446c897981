#!/usr/bin/env bash
# Keys as a hurried user gives them. A tap of Escape whose key-down and key-up
# arrive back to back, within one frame, ends the demo with exit code 0; every
# other tap comes right after the window appears, before SDL has taken the
# focus X gave it. F1 held for 1.5 s with auto-repeat on rebuilds the window
# only while it is held, and Escape then ends the demo.
set -u
source "${NORVEX_SOURCE:-$(dirname "$0")/../..}/tests/e2e/lib.sh"
NORVEX=$1
TAPS=8
e2e_init
e2e_start_desktop

quit=0
for ((tap = 1; tap <= TAPS; tap++)); do
    e2e_start_norvex "$NORVEX"
    id=$(e2e_find_window "$TITLE" 10) && { [ $((tap % 2)) -eq 1 ] || sleep 1; } && e2e_focus "$id" && e2e_tap Escape
    # The first frames take seconds while the driver compiles; the tap is read after them.
    e2e_wait_exit "$E2E_NORVEX" 10 && [ "$E2E_EXIT" -eq 0 ] && quit=$((quit + 1))
    kill -KILL "$E2E_NORVEX" 2>/dev/null && wait "$E2E_NORVEX" 2>/dev/null
done
e2e_log "measure: $quit of $TAPS taps of Escape ended the demo"
e2e_check "every tap of Escape ended the demo with exit code 0" test "$quit" -eq "$TAPS"

xset r on
e2e_start_norvex "$NORVEX"
id=$(e2e_find_window "$TITLE" 10) || { e2e_fail "held F1: no window"; exit 1; }
e2e_drawing "$id"
e2e_focus "$id"
xdotool keydown F1 sleep 1.5 keyup F1  # then a rebuild asked for before the release is done
e2e_check "held F1: rebuilt while held" e2e_wait_for 10 e2e_has_new_window "$TITLE" "$id"
# settles: one window, drawing; any rebuild still asked for was made before its frames.
settles() { settled=$(e2e_window_ids "$TITLE") && [ "$(wc -w <<<"$settled")" -eq 1 ] && e2e_window_changes "$settled" 0.2; }
e2e_check "held F1: settles on one window that draws" e2e_wait_for 20 settles
e2e_drawing "$settled"
e2e_check "held F1: no new window after the release" test "$(e2e_window_ids "$TITLE")" = "$settled"
e2e_focus "$settled"
e2e_tap Escape
e2e_expect_exit "held F1, then Escape" 10 0
e2e_finish
