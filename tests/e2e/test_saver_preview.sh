#!/usr/bin/env bash
# norvex as a saver's settings preview: --window-id on a plain 320x240 window
# made here. It draws at that size, follows the window to 640x480, ends on
# SIGTERM with 0 within a second and leaves the window, the screen mode and
# the window list as they were. The command line's refusals and exit codes;
# a window without depth buffer; the host window or the X server going away.
set -u
source "${NORVEX_SOURCE:-$(dirname "$0")/../..}/tests/e2e/lib.sh"
NORVEX=$1
HOST_WINDOW=${NORVEX_BUILD:-$(dirname "$NORVEX")}/tests/host_window
e2e_init
e2e_start_xvfb 1024x768x24 || exit 1

# start_host WIDTH HEIGHT [--no-depth]: a plain window; sets HOST (its ID) and HOST_PID.
start_host() {
    "$HOST_WINDOW" "$@" >"$E2E_TMP/host.id" 2>"$E2E_TMP/host.err" &
    HOST_PID=$!
    e2e_track "$HOST_PID"
    e2e_wait_for 5 test -s "$E2E_TMP/host.id" || { cat "$E2E_TMP/host.err"; return 1; }
    HOST=$(cat "$E2E_TMP/host.id")
}
# quadrants_drawn FILE: no quarter of the picture is black (the viewport covers it all).
quadrants_drawn() {
    local corner mean
    for corner in NorthWest NorthEast SouthWest SouthEast; do
        mean=$(convert "$1" -gravity "$corner" -crop 50%x50%+0+0 +repage -colorspace gray \
                   -format '%[fx:int(255*mean)]' info:)
        [ "$mean" -ge 4 ] || { e2e_log "the $corner quarter is black"; return 1; }
    done
}
# fps_shown FILE: the frame-rate line's "F" in the lower-left corner: its
# stem and its top bar, white, where the font puts them (2x2 pixels per font
# pixel, 8 pixels in from the corner).
fps_shown() {
    local top=$(( $(identify -format %h "$1") - 8 - 14 )) geometry
    for geometry in "2x14+8+$top" "10x2+8+$top"; do
        [ "$(convert "$1" -crop "$geometry" +repage -colorspace gray -format '%[fx:minima]' info:)" = 1 ] || return 1
    done
}

# --- The command line: what is refused, how, and with which exit code -------------
# exit code ; what the output says ; environment or - ; arguments
while IFS=';' read -r code says env args; do
    [ "$env" = - ] && env=
    # shellcheck disable=SC2086 # the arguments split at spaces on purpose
    env $env "$NORVEX" $args >"$E2E_TMP/cl.out" 2>"$E2E_TMP/cl.err"
    rc=$?
    e2e_check "'$args' $env: exit code $code (got $rc)" test "$rc" -eq "$code"
    e2e_check "'$args': says '$says'" grep -qF -- "$says" "$E2E_TMP/cl.out" "$E2E_TMP/cl.err"
    [ "$code" -eq 2 ] && e2e_check "'$args': usage line on stderr" grep -q '^usage: norvex ' "$E2E_TMP/cl.err"
done <<'ROWS'
0;usage: norvex [--root | --window-id ID] [--fps];-;--help
0;norvex 1.;-;-version
2;unknown option '--bogus';-;--bogus
2;unknown option '-rooted';-;-rooted
2;option -window-id needs a value;-;-window-id
2;--window-id needs an X window ID;-;--window-id=zz
2;not '0x';-;--window-id 0x
2;give only one of --root and --window-id;-;-root -window-id 0x1fe00001
2;option --fps takes no value;-;--fps=yes
2;unexpected argument 'now';-;--root now
1;there is no window 0x1fe00001;-;-window-id 0x1fe00001
1;there is no window 0x1fe00001;-;--window-id=534773761
1;there is no window 0x1fe00001;XSCREENSAVER_WINDOW=0x1fe00001;-root
1;XSCREENSAVER_WINDOW names no X window;XSCREENSAVER_WINDOW=bogus;--root
1;DISPLAY is not set;DISPLAY=;--window-id 0x1fe00001
ROWS
start=$(date +%s%N)
"$NORVEX" --window-id 0x1fe00001 2>/dev/null
e2e_check "a window that does not exist: exit 1 within a second ($(e2e_ms_since "$start") ms)" \
    test "$(e2e_ms_since "$start")" -lt 1000

# --- The preview: drawn at the window's size, following it, gone on SIGTERM ------
start_host 320 240 || { e2e_fail "no host window"; e2e_finish; }
mode_before=$(e2e_xrandr_mode)
e2e_window_clients >"$E2E_TMP/clients.before"
e2e_start_norvex "$NORVEX" --window-id "$HOST" --fps
e2e_check "draws the city into the 320x240 window" e2e_wait_for 30 e2e_window_city "$HOST"
e2e_check "the window stays 320x240" test "$(e2e_geometry "$HOST" | cut -d' ' -f3,4)" = "320 240"
e2e_check "the picture moves" e2e_window_changes "$HOST" 1
import -window "$HOST" "$E2E_TMP/small.png"
e2e_check "--fps: the frame rate in the lower-left corner" fps_shown "$E2E_TMP/small.png"
e2e_check "no window of its own" test -z "$(e2e_new_clients "$E2E_TMP/clients.before")"

xdotool windowsize "$HOST" 640 480
sleep 2  # a few frames at the new size
import -window "$HOST" "$E2E_TMP/large.png"
e2e_check "resized to 640x480: the picture fills the window" quadrants_drawn "$E2E_TMP/large.png"
e2e_check "resized: the city" e2e_city_shown "$E2E_TMP/large.png"

start=$(date +%s%N)
kill -TERM "$E2E_NORVEX"
if e2e_wait_exit "$E2E_NORVEX" 1; then
    e2e_log "measure: SIGTERM to exit $(e2e_ms_since "$start") ms"
    e2e_check "SIGTERM: exit code 0 within a second" test "$E2E_EXIT" -eq 0
else
    e2e_fail "SIGTERM: still running a second later"
fi
e2e_check "the host window is still there" e2e_window_exists "$HOST"
e2e_check "the screen mode is unchanged" test "$(e2e_xrandr_mode)" = "$mode_before"
e2e_check "nothing on stderr" test ! -s "$E2E_TMP/norvex.err"
kill -TERM "$HOST_PID"

# --- The demo's own window with --fps -----------------------------------------------
e2e_start_norvex "$NORVEX" --fps
if id=$(e2e_find_window "$TITLE" 10); then
    sleep 2
    import -window "$id" "$E2E_TMP/demo.png"
    e2e_check "the demo with --fps: the frame rate in the lower-left corner" fps_shown "$E2E_TMP/demo.png"
else
    e2e_fail "the demo with --fps: no window"
fi
kill -TERM "$E2E_NORVEX"
e2e_wait_exit "$E2E_NORVEX" 2 || e2e_fail "the demo with --fps: still running after SIGTERM"

# --- A window without depth buffer: said once, drawn anyway ------------------------
if start_host 320 240 --no-depth; then
    e2e_start_norvex "$NORVEX" -window-id "$HOST"
    e2e_check "no depth buffer: still draws" e2e_wait_for 30 e2e_window_city "$HOST"
    kill -TERM "$E2E_NORVEX"
    e2e_wait_exit "$E2E_NORVEX" 2
    e2e_check "no depth buffer: said once" test "$(grep -c 'has no depth buffer' "$E2E_TMP/norvex.err")" -eq 1
    kill -TERM "$HOST_PID"
else
    e2e_log "skipped: this server offers no visual without depth buffer"
fi

# --- The host window, then the X server, going away under it -----------------------
for gone in window server; do
    start_host 320 240 || { e2e_fail "no host window"; break; }
    e2e_start_norvex "$NORVEX" --window-id="$(printf '%d' "$HOST")"
    e2e_wait_for 10 e2e_window_changes "$HOST" 0.2
    if [ $gone = window ]; then kill -TERM "$HOST_PID"; says="was destroyed"
    else kill -TERM "$E2E_XVFB"; says="lost the connection to the X server"; fi
    if e2e_wait_exit "$E2E_NORVEX" 2; then
        e2e_check "$gone gone: exit code 1 (got $E2E_EXIT)" test "$E2E_EXIT" -eq 1
        e2e_check "$gone gone: says '$says'" grep -q "$says" "$E2E_TMP/norvex.err"
    else
        e2e_fail "$gone gone: still running 2 s later"
    fi
done
e2e_finish
