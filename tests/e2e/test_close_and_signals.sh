#!/usr/bin/env bash
# Every way of ending the demo other than Escape ends it with exit code 0:
# closing the window through the window manager, SIGTERM, SIGINT, and SIGTERM
# while the window is minimised (the loop is blocked waiting then).
set -u
source "${NORVEX_SOURCE:-$(dirname "$0")/../..}/tests/e2e/lib.sh"
NORVEX=$1
e2e_init
e2e_start_desktop

for way in close sigterm sigint minimised-sigterm; do
    e2e_start_norvex "$NORVEX"
    id=$(e2e_find_window "$TITLE" 10) || { e2e_fail "$way: no window"; continue; }
    e2e_drawing "$id"
    case $way in
    close) wmctrl -c "$TITLE" ;;
    sigterm) kill -TERM "$E2E_NORVEX" ;;
    sigint) kill -INT "$E2E_NORVEX" ;;
    minimised-sigterm)
        xdotool windowminimize --sync "$id"
        sleep 0.5
        kill -TERM "$E2E_NORVEX" ;;
    esac
    if e2e_wait_exit "$E2E_NORVEX" 2; then
        e2e_check "$way: exit code 0 within 2 s" test "$E2E_EXIT" -eq 0
    else
        e2e_fail "$way: still running 2 s later"
    fi
done
e2e_finish
