#!/usr/bin/env bash
# A real display-mode switch, on an Xorg server with the dummy video driver
# (1280x1024 desktop, 1024x768 offered): while the demo runs full screen xrandr
# shows 1024x768, and after Escape, after closing the window and after SIGTERM
# it shows 1280x1024 again. Skips (77) where that server cannot run.
set -u
SOURCE=${NORVEX_SOURCE:-$(cd "$(dirname "$0")/../.." && pwd)}
source "$SOURCE/tests/e2e/lib.sh"
NORVEX=$1
TITLE="norvex - brellik 2005"
e2e_init

command -v Xorg >/dev/null || e2e_skip "no Xorg server installed (xserver-xorg-core)"
ls /usr/lib/xorg/modules/drivers/dummy_drv.so >/dev/null 2>&1 ||
    e2e_skip "no dummy video driver installed (xserver-xorg-video-dummy)"
# Xorg takes a configuration file from an arbitrary path only when run as root.
[ "$(id -u)" -eq 0 ] || e2e_skip "Xorg refuses a -config path outside /etc/X11 when not run as root"
e2e_start_xorg "$SOURCE/tests/e2e/xorg-dummy.conf" ||
    e2e_skip "the dummy Xorg server did not start here: ${E2E_WHY:-no reason given}"
e2e_start_openbox || { echo "openbox did not start"; exit 1; }
desktop=$(e2e_xrandr_mode)
e2e_check "the desktop runs 1280x1024 ($desktop)" test "$desktop" = 1280x1024

for way in escape close sigterm; do
    e2e_start_norvex "$NORVEX"
    id=$(e2e_find_window "$TITLE" 10) || { e2e_fail "$way: no window"; continue; }
    e2e_check "$way: 1024x768 while full screen" e2e_wait_for 3 sh -c "xrandr --current | grep -q '^ *1024x768 .*\*'"
    e2e_check "$way: window at (0,0), 1024 x 768" test "$(e2e_geometry "$id")" = "0 0 1024 768"
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
e2e_finish
