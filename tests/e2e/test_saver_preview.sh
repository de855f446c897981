#!/usr/bin/env bash
# norvex as a saver's settings preview: "--root --window-id ID", as xscreensaver's
# settings dialog runs its hacks, on a plain 320x240 window made here. It draws at
# that size, fills the window after each resize (both sides or one alone), ends
# by SIGTERM (or SIGINT) itself within a second, leaving window, screen mode and
# window list as they were.
# Also: the command line's exit codes, the frame rate in both modes, a window
# without depth buffer, and the host window or the X server going away.
set -u
source "${NORVEX_SOURCE:-$(dirname "$0")/../..}/tests/e2e/lib.sh"
NORVEX=$1
HOST_WINDOW=${NORVEX_BUILD:-$(dirname "$NORVEX")}/tests/host_window
e2e_init
e2e_start_xvfb 1024x768x24 || exit 1

# start_host WIDTH HEIGHT [--no-depth]: a plain window; sets HOST (its ID) and HOST_PID.
start_host() {
    rm -f "$E2E_TMP/host.id"  # here, not in the child: the wait below must not see the last one's ID
    "$HOST_WINDOW" "$@" >"$E2E_TMP/host.id" &
    HOST_PID=$!
    e2e_track "$HOST_PID"
    e2e_wait_for 10 test -s "$E2E_TMP/host.id" && HOST=$(cat "$E2E_TMP/host.id")
}
# quarters_drawn FILE: no quarter of the picture is black (the viewport covers the window).
quarters_drawn() { [ "$(convert "$1" -scale '2x2!' -colorspace gray -format '%[fx:int(255*minima)]' info:)" -ge 4 ]; }
# fills ID WxH: a picture of the window, WxH big, has every quarter drawn.
fills() {
    e2e_import "$1" "$E2E_TMP/fills.png" && [ "$(identify -format %wx%h "$E2E_TMP/fills.png")" = "$2" ] &&
        quarters_drawn "$E2E_TMP/fills.png"
}
# fps_shown ID: the window's picture shows the frame rate (e2e_fps_in).
fps_shown() { e2e_import "$1" "$E2E_TMP/fps-$1.png" && e2e_fps_in "$E2E_TMP/fps-$1.png"; }

# Exit codes, each within a second: 0 for --help and --version, 2 for a refusal
# (the unit test has them all), 1 when there is nothing to draw into.
# Code; what it says; environment (or -); arguments, split at spaces.
while IFS=';' read -r code says env args; do
    start=$(date +%s%N)
    env ${env#-} "$NORVEX" $args >"$E2E_TMP/cl.out" 2>&1
    rc=$? ms=$(e2e_ms_since "$start")
    e2e_check "'$args' $env: exit code $code (got $rc after $ms ms), says '$says'" \
        sh -c "[ $rc -eq $code ] && [ $ms -lt 1000 ] && grep -qF -- \"\$1\" '$E2E_TMP/cl.out'" - "$says"
done <<'ROWS'
0;usage: norvex [[--root] [--window-id ID] | --wallpaper | --overlay] [--fps];-;--help
0;norvex 1.;-;-version
2;unknown option '-rooted';-;-rooted
2;usage: norvex [[--root] [--window-id ID] | --wallpaper | --overlay] [--fps];-;--window-id=zz
2;not '4294967297';-;--window-id 4294967297
1;there is no window 0x1fe00001;-;-window-id 0x1fe00001
1;XSCREENSAVER_WINDOW names no X window;XSCREENSAVER_WINDOW=4294967297;--root
1;there is no window 0x1fe00001;XSCREENSAVER_WINDOW=0x1fe00001;-root
1;XSCREENSAVER_WINDOW names no X window;XSCREENSAVER_WINDOW=bogus;--root
1;DISPLAY is not set;DISPLAY=;--window-id 0x1fe00001
ROWS

# The preview: drawn at the window's size, following it, gone on SIGTERM. The
# window named wins over --root's (here a variable that names none).
start_host 320 240 || { e2e_fail "no host window"; e2e_finish; }
mode_before=$(e2e_xrandr_mode)
e2e_window_clients >"$E2E_TMP/clients.before"
XSCREENSAVER_WINDOW=bogus e2e_start_norvex "$NORVEX" --root --window-id "$HOST" --fps
e2e_check "draws the city into the 320x240 window" e2e_wait_for 30 e2e_window_shows city "$HOST"
e2e_check "the window stays 320x240" test "$(e2e_geometry "$HOST" | cut -d' ' -f3,4)" = "320 240"
e2e_check "--fps: the frame rate in the lower-left corner" e2e_wait_for 5 fps_shown "$HOST"
e2e_check "no window of its own" test -z "$(e2e_new_clients "$E2E_TMP/clients.before")"
kill -STOP "$E2E_NORVEX"; sleep 0.5; kill -CONT "$E2E_NORVEX"  # as MATE pauses its hacks
# Both sides larger, both smaller, then the width alone and the height alone,
# each doubled: a side whose change goes unnoticed leaves half the window black.
for step in 640x480:both 320x240:both 640x240:width 640x480:height; do
    size=${step%:*}
    xdotool windowsize "$HOST" "${size%x*}" "${size#*x}"
    e2e_check "resized to $size (${step#*:} changed): the picture fills every quarter" e2e_wait_for 10 fills "$HOST" "$size"
done
start=$(date +%s%N)
kill -TERM "$E2E_NORVEX"
e2e_wait_exit "$E2E_NORVEX" 1 || E2E_EXIT="still running"
e2e_check "SIGTERM: ended by SIGTERM within a second (got $E2E_EXIT after $(e2e_ms_since "$start") ms)" test "$E2E_EXIT" = SIGTERM
e2e_check "the host window is still there" sh -c "xwininfo -id $HOST >/dev/null"
e2e_check "the screen mode is unchanged" test "$(e2e_xrandr_mode)" = "$mode_before"
e2e_check "nothing on stderr" test ! -s "$E2E_TMP/norvex.err"
kill -TERM "$HOST_PID"

e2e_start_norvex "$NORVEX" --fps  # the demo's own window
id=$(e2e_find_window "$TITLE" 10) || id=none
e2e_check "the demo with --fps: the frame rate in the lower-left corner" e2e_wait_for 20 fps_shown "$id"
kill -TERM "$E2E_NORVEX"
e2e_wait_exit "$E2E_NORVEX" 2

# A window without depth buffer: said once, drawn anyway.
if start_host 320 240 --no-depth; then
    e2e_start_norvex "$NORVEX" -window-id "$HOST"
    e2e_check "no depth buffer: still draws" e2e_wait_for 30 e2e_window_shows city "$HOST"
    kill -INT "$E2E_NORVEX"
    e2e_wait_exit "$E2E_NORVEX" 1 || E2E_EXIT="still running"
    e2e_check "SIGINT: ended by SIGINT within a second (got $E2E_EXIT)" test "$E2E_EXIT" = SIGINT
    kill -TERM "$HOST_PID"
    e2e_check "no depth buffer: said once" test "$(grep -c 'has no depth buffer' "$E2E_TMP/norvex.err")" -eq 1
fi

# The host window, then the X server, going away under it.
for gone in "window:was destroyed" "server:lost the connection to the X server"; do
    start_host 320 240 || { e2e_fail "no host window"; break; }
    e2e_start_norvex "$NORVEX" --window-id="$(printf '%d' "$HOST")"
    e2e_wait_for 10 e2e_window_changes "$HOST" 0.2
    if [ "${gone%%:*}" = window ]; then kill -TERM "$HOST_PID"; else kill -TERM "$E2E_XVFB"; fi
    e2e_wait_exit "$E2E_NORVEX" 2 || E2E_EXIT="still running"
    e2e_check "${gone%%:*} gone: exit code 1 within 2 s (got $E2E_EXIT)" test "$E2E_EXIT" = 1
    e2e_check "${gone%%:*} gone: says '${gone#*:}'" grep -q "${gone#*:}" "$E2E_TMP/norvex.err"
done
e2e_finish
