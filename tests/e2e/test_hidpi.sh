#!/usr/bin/env bash
# On a scaled Wayland output the demo draws with all of its pixels: in a
# headless sway (as a throwaway user: sway refuses root) with its output at
# scale 2, a 320x240 window has scale 2 on its surface and 640x480 buffers
# (WAYLAND_DEBUG), and the city lit in every quarter of them. Skips (77) only
# when sway cannot start here.
set -u
source "${NORVEX_SOURCE:-$(dirname "$0")/../..}/tests/e2e/lib.sh"
NORVEX=$1
command -v sway >/dev/null || e2e_skip "no sway (sway)"
e2e_init
e2e_user_init || e2e_skip "no user to run sway as"
export XDG_RUNTIME_DIR=$E2E_TMP/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR" && chown "$E2E_USER:" "$XDG_RUNTIME_DIR"
printf '%s\n' 'default_border none' 'for_window [title="^norvex"] floating enable' >"$E2E_HOME/sway.conf"
as_user() { e2e_as_user env -u DISPLAY XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" WAYLAND_DISPLAY="$(cd "$XDG_RUNTIME_DIR" && ls wayland-? 2>/dev/null)" "$@"; }
as_user WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 sway -c "$E2E_HOME/sway.conf" >"$E2E_TMP/sway.log" 2>&1 &
e2e_track $!
e2e_wait_for 15 sh -c "ls '$XDG_RUNTIME_DIR'/wayland-? '$XDG_RUNTIME_DIR'/sway-ipc.*.sock" >/dev/null 2>&1 ||
    e2e_skip "sway did not start here: $(tail -n 2 "$E2E_TMP/sway.log")"
as_user swaymsg -s "$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock)" output HEADLESS-1 mode 1280x720 scale 2 >/dev/null
as_user SDL_VIDEODRIVER=wayland WAYLAND_DEBUG=1 "$(e2e_user_copy "$NORVEX")" --windowed --size 320x240 2>"$E2E_TMP/norvex.err" &
e2e_track $!
for request in 'wl_surface@[0-9]+\.set_buffer_scale\(2\)' 'create_buffer\(new id wl_buffer@[0-9]+, [0-9]+, 640, 480,'; do
    e2e_check "asked of the compositor: $request" e2e_wait_for 30 grep -qE "$request" "$E2E_TMP/norvex.err"
done
# A viewport of the window's logical size would leave three quarters black.
quarters_lit() {
    as_user grim -o HEADLESS-1 "$E2E_HOME/out.png" 2>/dev/null && convert "$E2E_HOME/out.png" -trim +repage "$E2E_TMP/w.png" &&
        [ "$(identify -format %wx%h "$E2E_TMP/w.png")" = 640x480 ] &&
        [ "$(convert "$E2E_TMP/w.png" -colorspace gray -threshold 3% -scale '2x2!' -format '%[fx:int(100*minima)]' info:)" -ge 5 ]
}
e2e_check "the city lit in every quarter of the 640x480 window" e2e_wait_for 90 quarters_lit
E2E_NORVEX=$(pgrep -u "$E2E_USER" -x norvex)  # the demo itself, not the runuser around it
kill -TERM "$E2E_NORVEX" && e2e_check "SIGTERM: it ends" e2e_wait_for 5 e2e_gone "$E2E_NORVEX"
e2e_finish
