#!/usr/bin/env bash
# A real display-mode switch, on an Xorg server with the dummy video driver
# (1280x1024 desktop, 1024x768 offered): while the demo runs full screen xrandr
# shows 1024x768, and after Escape, after closing the window and after SIGTERM
# it shows 1280x1024 again. With --no-mode-switch the mode never changes: full
# screen covers the desktop at 1280x1024, F1 to a window and back. Skips (77)
# where that server cannot run.
set -u
SOURCE=${NORVEX_SOURCE:-$(cd "$(dirname "$0")/../.." && pwd)}
source "$SOURCE/tests/e2e/lib.sh"
NORVEX=$1
e2e_init

e2e_start_dummy_xorg
desktop=$(e2e_xrandr_mode)
e2e_check "the desktop runs 1280x1024 ($desktop)" test "$desktop" = 1280x1024

for way in escape close sigterm; do
    e2e_start_norvex "$NORVEX"
    id=$(e2e_find_window "$TITLE" 10) || { e2e_fail "$way: no window"; continue; }
    e2e_check "$way: 1024x768 while full screen" e2e_wait_for 3 sh -c "xrandr --current | grep -q '^ *1024x768 .*\*'"
    e2e_check "$way: window at (0,0), 1024 x 768" test "$(e2e_geometry "$id")" = "0 0 1024 768"
    e2e_drawing "$id"
    case $way in
    escape) e2e_focus "$id"; e2e_hold Escape 3 e2e_gone "$E2E_NORVEX" ;;
    close) wmctrl -c "$TITLE" ;;
    sigterm) kill -TERM "$E2E_NORVEX" ;;
    esac
    if e2e_wait_exit "$E2E_NORVEX" 3; then
        e2e_check "$way: exit code 0" test "$E2E_EXIT" -eq 0
    else
        e2e_fail "$way: still running 3 s later"
    fi
    e2e_check "$way: desktop mode back" e2e_wait_for 3 sh -c "xrandr --current | grep -q '^ *1280x1024 .*\*'"
done

# --no-mode-switch: full screen, a window, full screen again, the mode checked
# each time (a switch shows while the window is up). has_geometry ID "X Y W H" or "W H".
has_geometry() { local g; g=$(e2e_geometry "$1"); [ "$g" = "$2" ] || [ "${g#* * }" = "$2" ]; }
e2e_start_norvex "$NORVEX" --no-mode-switch
id=$(e2e_find_window "$TITLE" 10) || id=none
for step in "full screen:0 0 1280 1024" "F1, a window:1024 768" "F1, full screen again:0 0 1280 1024"; do
    [ "${step:0:2}" = F1 ] && e2e_focus "$id" && e2e_hold F1 10 e2e_has_new_window "$TITLE" "$id" &&
        id=$(e2e_new_window "$TITLE" "$id" 1)
    e2e_check "--no-mode-switch, ${step%%:*}: ${step#*:}" e2e_wait_for 3 has_geometry "$id" "${step#*:}"
    e2e_check "--no-mode-switch, ${step%%:*}: the mode stays 1280x1024" test "$(e2e_xrandr_mode)" = 1280x1024
done
e2e_focus "$id"
e2e_hold Escape 3 e2e_gone "$E2E_NORVEX"
e2e_expect_exit "--no-mode-switch: Escape" 3 0
e2e_finish
