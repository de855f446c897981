#!/usr/bin/env bash
# No display to open: one line from norvex names the display it could not
# reach, nothing else is said (no box helper, no driver's complaint), the exit
# code is 1 within a second, and nothing it started is left running. The same
# whether or not a message-box helper such as zenity is installed, and with one
# video driver forced: only its display is named.
set -u
source "${NORVEX_SOURCE:-$(dirname "$0")/../..}/tests/e2e/lib.sh"
NORVEX=$1
e2e_init
mkdir -p "$E2E_TMP/runtime" && chmod 700 "$E2E_TMP/runtime"
number=90
while [ -e "/tmp/.X11-unix/X$number" ]; do number=$((number + 1)); done
dead=":$number"  # no X server listens there

# SDL_VIDEODRIVER (the one driver tried; empty: each); DISPLAY; WAYLAND_DISPLAY;
# arguments; the one line on stderr.
while IFS=';' read -r driver display wayland args line; do
    start=$(date +%s%N)
    SDL_VIDEODRIVER=$driver DISPLAY=$display WAYLAND_DISPLAY=$wayland XDG_RUNTIME_DIR=$E2E_TMP/runtime \
        e2e_start_norvex_session "$NORVEX" $args
    e2e_wait_exit "$E2E_NORVEX" 5 || E2E_EXIT="still running"
    took=$(e2e_ms_since "$start")
    case="SDL_VIDEODRIVER='$driver' DISPLAY='$display' WAYLAND_DISPLAY='$wayland' $args"
    e2e_check "$case: exit code 1 within a second (got $E2E_EXIT after $took ms)" \
        sh -c "[ '$E2E_EXIT' = 1 ] && [ $took -lt 1000 ]"
    e2e_check "$case: stderr is the one line '$line'" test "$(cat "$E2E_TMP/norvex.err")" = "$line"
    e2e_check "$case: nothing left running" e2e_wait_for 1 e2e_nothing_left "$E2E_NORVEX"
done <<ROWS
;;;;norvex: no display to draw on: neither DISPLAY nor WAYLAND_DISPLAY is set
;$dead;;;norvex: cannot open the X display '$dead'
;$dead;;--fps;norvex: cannot open the X display '$dead'
;$dead;;--root;norvex: cannot open the X display '$dead'
;$dead;wayland-none;;norvex: cannot open the X display '$dead' nor reach the Wayland display 'wayland-none'
;;wayland-none;;norvex: cannot reach the Wayland display 'wayland-none'
x11;$dead;wayland-none;;norvex: cannot open the X display '$dead'
wayland;$dead;wayland-none;;norvex: cannot reach the Wayland display 'wayland-none'
x11;;wayland-none;;norvex: no X display to draw on: DISPLAY is not set
wayland;$dead;;;norvex: cannot reach the Wayland display at '$E2E_TMP/runtime/wayland-0'
ROWS
e2e_finish
