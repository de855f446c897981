#!/usr/bin/env bash
# On a scaled Wayland output the demo draws with all of its pixels: in a
# headless sway with its output at scale 2 (run as a throwaway user: sway
# refuses root), a 320x240 window gets a 640x480 drawable, scale 2 on its
# surface (WAYLAND_DEBUG shows both), and the picture fills it. Skips (77)
# only when sway cannot start here.
set -u
source "${NORVEX_SOURCE:-$(dirname "$0")/../..}/tests/e2e/lib.sh"
NORVEX=$1
command -v sway >/dev/null || e2e_skip "no sway (sway)"
e2e_init
e2e_user_init || e2e_skip "no user to run sway as"
export XDG_RUNTIME_DIR=$E2E_TMP/runtime
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR" && chown "$E2E_USER:" "$XDG_RUNTIME_DIR"
printf '%s\n' 'output * bg #000000 solid_color' 'default_border none' 'for_window [title="^norvex"] floating enable' \
    >"$E2E_HOME/sway.conf"
as_user() { e2e_as_user env -u DISPLAY XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" "$@"; }
as_user WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    sway -c "$E2E_HOME/sway.conf" >"$E2E_TMP/sway.log" 2>&1 &
e2e_track $!
socket() { ls "$XDG_RUNTIME_DIR" 2>/dev/null | grep -m1 -E '^wayland-[0-9]+$'; }
ipc() { ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock 2>/dev/null | head -n 1; }
e2e_wait_for 15 sh -c "[ -n \"\$(ls '$XDG_RUNTIME_DIR' | grep -E '^wayland-[0-9]+\$')\" ] && ls '$XDG_RUNTIME_DIR'/sway-ipc.*.sock" \
    >/dev/null 2>&1 || e2e_skip "sway did not start here: $(tail -n 2 "$E2E_TMP/sway.log")"
as_user swaymsg -s "$(ipc)" output HEADLESS-1 mode 1280x720 scale 2 >/dev/null

BINARY=$(e2e_user_copy "$NORVEX")
as_user WAYLAND_DISPLAY="$(socket)" SDL_VIDEODRIVER=wayland WAYLAND_DEBUG=1 \
    "$BINARY" --windowed --size 320x240 >"$E2E_TMP/norvex.out" 2>"$E2E_TMP/norvex.err" &
E2E_NORVEX=$!
e2e_track $E2E_NORVEX
e2e_check "the surface is at scale 2" e2e_wait_for 30 grep -qE 'wl_surface@[0-9]+\.set_buffer_scale\(2\)' "$E2E_TMP/norvex.err"
e2e_check "its buffers are 640x480" e2e_wait_for 30 grep -qE 'create_buffer\(new id wl_buffer@[0-9]+, [0-9]+, 640, 480,' "$E2E_TMP/norvex.err"
# The window in the output's picture (scale 2: 640x480 pixels), the city lit in
# each quarter: a viewport of the window's logical size would leave three black.
shot() { as_user WAYLAND_DISPLAY="$(socket)" grim -o HEADLESS-1 "$E2E_HOME/out.png" 2>/dev/null &&
    convert "$E2E_HOME/out.png" -trim +repage "$E2E_TMP/window.png"; }
quarters_lit() {
    shot && [ "$(identify -format %wx%h "$E2E_TMP/window.png")" = 640x480 ] &&
        [ "$(convert "$E2E_TMP/window.png" -colorspace gray -threshold 3% -scale '2x2!' -format '%[fx:int(100*minima)]' info:)" -ge 5 ]
}
e2e_check "the city lit in every quarter of the 640x480 window" e2e_wait_for 90 quarters_lit
kill -TERM "$(pgrep -u "$E2E_USER" -x norvex)"  # the demo itself, not the runuser around it
e2e_expect_exit "SIGTERM" 5 0
e2e_finish
