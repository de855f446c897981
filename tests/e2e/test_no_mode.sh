#!/usr/bin/env bash
# A display without a 1024 x 768 mode: one "Error" box with two lines, Return
# dismisses it, the demo runs windowed, and the first F1 rebuilds it windowed
# (the full-screen request was still 1, so the toggle asks for a window).
set -u
source "${NORVEX_SOURCE:-$(dirname "$0")/../..}/tests/e2e/lib.sh"
NORVEX=$1
e2e_init
e2e_start_desktop 1280x1024x24

e2e_start_norvex "$NORVEX"
box=$(e2e_error_box 10) || { e2e_fail "no \"Error\" box"; exit 1; }
e2e_check "the box shows two lines and a button" e2e_wait_for 3 e2e_bands_are "$box" 3
e2e_check "no demo window while the box is up" test -z "$(xdotool search --onlyvisible --name "^$TITLE\$")"
xdotool key --window "$box" Return
e2e_check "Return dismisses the box" e2e_wait_for 5 sh -c "! xwininfo -id $box >/dev/null 2>&1"

id=$(e2e_find_window "$TITLE" 10) || { e2e_fail "no window after the box"; exit 1; }
e2e_check "windowed, not full screen" test ! "$(e2e_fullscreen "$id" && echo yes)"
e2e_check "window frame at the top-left" test "$(e2e_frame_geometry "$id" | cut -d' ' -f1-2)" = "0 0"
e2e_check "the display mode is untouched" test "$(e2e_xrandr_mode)" = 1280x1024

e2e_focus "$id"
e2e_hold F1 10 e2e_has_new_window "$TITLE" "$id" || { e2e_fail "F1 built no new window"; exit 1; }
id2=$(e2e_new_window "$TITLE" "$id" 1)
e2e_check "F1: no second box" test -z "$(xwininfo -root -tree | awk '/"Error"/')"
e2e_check "F1: windowed again" test ! "$(e2e_fullscreen "$id2" && echo yes)"
e2e_check "F1: client area 1024 x 768" test "$(e2e_geometry "$id2" | cut -d' ' -f3-)" = "1024 768"

e2e_drawing "$id2"
e2e_focus "$id2"
if e2e_hold Escape 2 e2e_gone "$E2E_NORVEX" && e2e_wait_exit "$E2E_NORVEX" 1; then
    e2e_check "Escape: exit code 0" test "$E2E_EXIT" -eq 0
else
    e2e_fail "Escape: still running 2 s later"
fi
e2e_finish
