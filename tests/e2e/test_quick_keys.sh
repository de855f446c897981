#!/usr/bin/env bash
# Keys as a hurried user gives them. A tap of Escape whose key-down and key-up
# arrive back to back, within one frame, still ends the demo with exit code 0;
# half the taps come right after the window appears, before SDL has taken the
# keyboard focus that X already gave it. F1 held for 1.5 s with the keyboard's
# auto-repeat on rebuilds the window while it is held, and never after its
# release; Escape then ends the demo.
set -u
source "${NORVEX_SOURCE:-$(dirname "$0")/../..}/tests/e2e/lib.sh"
NORVEX=$1
TAPS=8
e2e_init
e2e_start_desktop

quit=0
for ((tap = 1; tap <= TAPS; tap++)); do
    e2e_start_norvex "$NORVEX"
    id=$(e2e_find_window "$TITLE" 10) || { e2e_fail "tap $tap: no window"; continue; }
    [ $((tap % 2)) -eq 0 ] && sleep 1  # frames under way
    e2e_focus "$id"
    e2e_tap Escape
    # The first frames take seconds while the GL driver compiles, and the tap is read after them.
    if e2e_wait_exit "$E2E_NORVEX" 10 && [ "$E2E_EXIT" -eq 0 ]; then
        quit=$((quit + 1))
    else
        e2e_log "tap $tap: still running 10 s later (exit code '${E2E_EXIT:-}')"
        kill -KILL "$E2E_NORVEX" 2>/dev/null
        wait "$E2E_NORVEX" 2>/dev/null
    fi
done
e2e_log "measure: $quit of $TAPS taps of Escape ended the demo"
e2e_check "every tap of Escape ended the demo with exit code 0 ($quit of $TAPS)" test "$quit" -eq "$TAPS"

xset r on
e2e_start_norvex "$NORVEX"
id=$(e2e_find_window "$TITLE" 10) || { e2e_fail "held F1: no window"; exit 1; }
sleep 1
e2e_focus "$id"
xdotool keydown F1
sleep 1.5
xdotool keyup F1
sleep 1.5  # a rebuild asked for just before the release may still be under way
settled=$(e2e_window_ids "$TITLE")
sleep 3
e2e_check "held F1: rebuilt while held" test "$settled" != "$id"
e2e_check "held F1: no new window after the release" test "$(e2e_window_ids "$TITLE")" = "$settled"
id=$(e2e_find_window "$TITLE" 2) && e2e_focus "$id"
e2e_tap Escape
if e2e_wait_exit "$E2E_NORVEX" 10; then
    e2e_check "held F1: Escape then ends it with exit code 0" test "$E2E_EXIT" -eq 0
else
    e2e_fail "held F1: Escape did not end it within 10 s"
fi
e2e_finish
