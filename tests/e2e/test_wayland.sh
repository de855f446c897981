#!/usr/bin/env bash
# The demo on a Wayland desktop: Debian's weston nested in Xvfb, keys sent
# through XTEST to the compositor's window. Once through XWayland (what SDL
# takes when DISPLAY and WAYLAND_DISPLAY are both set) and once natively
# (SDL_VIDEODRIVER=wayland, decorated by libdecor as under GNOME). Each way it
# starts and draws, survives F1 twice, and Escape or SIGTERM end it with exit
# code 0. Skips (77) only when the compositor cannot start here.
set -u
source "${NORVEX_SOURCE:-$(dirname "$0")/../..}/tests/e2e/lib.sh"
NORVEX=$1
e2e_init
e2e_start_xvfb 1024x768x24 || { echo "Xvfb did not start"; exit 1; }
e2e_start_weston || e2e_skip "weston did not start here: ${E2E_WHY:-no reason given}"
xdotool windowfocus --sync "$E2E_WESTON_WINDOW"
sleep 1  # the desktop painted
e2e_screenshot "$E2E_TMP/desktop.png"

# differing_percent A B: the share of pixels that differ between two pictures, in %.
differing_percent() {
    compare -metric AE -fuzz 10% "$1" "$2" null: 2>&1 | awk '{ printf "%d\n", 100 * $1 / (1024 * 768) }'
}
# drawing WHEN: the demo covers the desktop and its picture moves.
drawing() {
    local shot=$E2E_TMP/shot.$RANDOM.png next=$E2E_TMP/next.$RANDOM.png covered moved
    e2e_screenshot "$shot"
    sleep 1
    e2e_screenshot "$next"
    covered=$(differing_percent "$E2E_TMP/desktop.png" "$next")
    moved=$(differing_percent "$shot" "$next")
    e2e_log "measure: $WAY, $1: $covered% unlike the desktop, $moved% changed over 1 s"
    [ "$covered" -ge 25 ] && [ "$moved" -ge 1 ]
}
# xwayland_windows: the demo's windows on XWayland's X server.
xwayland_windows() { DISPLAY=$E2E_XWAYLAND e2e_window_ids "$TITLE"; }
# native_toggles: full-screen requests the demo has made to the compositor.
native_toggles() { grep -cE 'xdg_toplevel@[0-9]+\.(un)?set_fullscreen' "$E2E_TMP/norvex.err"; }
# windows_or_toggles: what a rebuild changes: the windows on XWayland, the requests natively.
windows_or_toggles() { if [ "$WAY" = xwayland ]; then xwayland_windows; else native_toggles; fi; }
toggled() { test "$(windows_or_toggles)" != "$1"; }
start_demo() {
    if [ "$WAY" = xwayland ]; then
        DISPLAY=$E2E_XWAYLAND e2e_start_norvex_session "$NORVEX"
    else
        DISPLAY='' SDL_VIDEODRIVER=wayland WAYLAND_DEBUG=1 e2e_start_norvex_session "$NORVEX"
    fi
}

for WAY in xwayland native; do
    start_demo
    if ! e2e_wait_for 30 drawing "start"; then
        e2e_fail "$WAY: nothing drawn"
        tail -n 5 "$E2E_TMP/norvex.err"
        continue
    fi
    if [ "$WAY" = xwayland ]; then
        e2e_check "$WAY: SDL took XWayland's X server" test -n "$(xwayland_windows)"
    else
        e2e_check "$WAY: SDL took Wayland itself" test -z "$(xwayland_windows)"
    fi
    for toggle in 1 2; do
        before=$(windows_or_toggles)
        e2e_tap F1
        e2e_check "$WAY: F1 $toggle rebuilt the window" e2e_wait_for 30 toggled "$before"
        e2e_check "$WAY: F1 $toggle: alive and drawing" e2e_wait_for 30 drawing "F1 $toggle"
    done
    e2e_tap Escape
    if e2e_wait_exit "$E2E_NORVEX" 10; then
        e2e_check "$WAY: Escape: exit code 0 (got $E2E_EXIT)" test "$E2E_EXIT" -eq 0
    else
        e2e_fail "$WAY: Escape: still running 10 s later"
    fi

    start_demo
    e2e_wait_for 30 drawing "before SIGTERM" || e2e_fail "$WAY: nothing drawn before SIGTERM"
    kill -TERM "$E2E_NORVEX"
    if e2e_wait_exit "$E2E_NORVEX" 5; then
        e2e_check "$WAY: SIGTERM: exit code 0 (got $E2E_EXIT)" test "$E2E_EXIT" -eq 0
    else
        e2e_fail "$WAY: SIGTERM: still running 5 s later"
    fi
done
e2e_finish
