#!/usr/bin/env bash
# The demo on a Wayland desktop: Debian's weston nested in Xvfb, keys sent
# through XTEST to the compositor's window. Once through XWayland (what SDL
# takes when DISPLAY and WAYLAND_DISPLAY are both set) and once natively
# (SDL_VIDEODRIVER=wayland, decorated by libdecor as under GNOME). Each way it
# draws, survives F1 twice, and Escape or SIGTERM end it with exit code 0.
# Skips (77) only when the compositor cannot start here.
set -u
source "${NORVEX_SOURCE:-$(dirname "$0")/../..}/tests/e2e/lib.sh"
NORVEX=$1
e2e_init
e2e_start_xvfb 1024x768x24 || { echo "Xvfb did not start"; exit 1; }
e2e_start_weston || e2e_skip "weston did not start here: ${E2E_WHY:-no reason given}"
xdotool windowfocus --sync "$E2E_WESTON_WINDOW"

# The desktop stands still: a picture that moves is the demo drawing.
drawing() { e2e_window_changes "$E2E_WESTON_WINDOW" 1; }
# What a rebuild changes: the demo's windows on XWayland; natively, the count of
# its full-screen requests to the compositor (WAYLAND_DEBUG lists them).
rebuilds() {
    if [ "$WAY" = xwayland ]; then DISPLAY=$E2E_XWAYLAND e2e_window_ids "$TITLE"
    else grep -cE 'xdg_toplevel@[0-9]+\.(un)?set_fullscreen' "$E2E_TMP/norvex.err"; fi
}
rebuilt() { local now; now=$(rebuilds); [ -n "$now" ] && [ "$now" != "$1" ]; }
# entered: natively, the compositor's last word on the keyboard handed it to
# the demo (keys sent before the first one are not the demo's).
entered() {
    [ "$WAY" = xwayland ] || grep -oE 'wl_keyboard@[0-9]+\.(enter|leave)' "$E2E_TMP/norvex.err" | tail -n 1 | grep -q 'enter$'
}
start_demo() {
    if [ "$WAY" = xwayland ]; then DISPLAY=$E2E_XWAYLAND e2e_start_norvex_session "$NORVEX"
    else DISPLAY='' SDL_VIDEODRIVER=wayland WAYLAND_DEBUG=1 e2e_start_norvex_session "$NORVEX"; fi
    e2e_check "$WAY: draws" e2e_wait_for 30 drawing
}

for WAY in xwayland native; do
    start_demo
    e2e_check "$WAY: SDL took $WAY" test "$([ -n "$(DISPLAY=$E2E_XWAYLAND e2e_window_ids "$TITLE")" ] &&
                                            echo xwayland || echo native)" = "$WAY"
    for toggle in 1 2; do
        before=$(rebuilds)
        e2e_wait_for 10 entered
        e2e_tap F1
        e2e_check "$WAY: F1 $toggle rebuilt the window" e2e_wait_for 30 rebuilt "$before"
        e2e_check "$WAY: F1 $toggle: alive and drawing" e2e_wait_for 30 drawing
    done
    e2e_wait_for 10 entered
    e2e_tap Escape
    e2e_expect_exit "$WAY: Escape" 10 0
    start_demo
    kill -TERM "$E2E_NORVEX"
    e2e_expect_exit "$WAY: SIGTERM" 5 0
done
e2e_finish
