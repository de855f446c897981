#!/usr/bin/env bash
# On a scaled Wayland output the demo draws with all of its pixels: in a
# headless sway (as a throwaway user: sway refuses root) with its output at
# scale 2, a 320x240 window has scale 2 on its surface and 640x480 buffers
# (WAYLAND_DEBUG), and the city lit in every quarter of them. Skips (77) only
# when sway cannot start here.
set -u
source "${NORVEX_SOURCE:-$(dirname "$0")/../..}/tests/e2e/lib.sh"
source "${NORVEX_SOURCE:-$(dirname "$0")/../..}/tests/e2e/wayland_lib.sh"
NORVEX=$1
command -v sway >/dev/null || e2e_skip "no sway (sway)"
unset DISPLAY
e2e_init
e2e_user_init || e2e_skip "no user to run sway as"
printf '%s\n' 'default_border none' 'for_window [title="^norvex"] floating enable' >"$E2E_HOME/sway.conf"
export SWAYSOCK=$E2E_TMP/sway/sway.sock
e2e_start_compositor sway env WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    sway -c "$E2E_HOME/sway.conf" && e2e_wait_for 10 e2e_swaymsg -t get_outputs ||
    e2e_skip "sway did not start here: ${E2E_WHY:-no reason given}"
e2e_swaymsg output HEADLESS-1 mode 1280x720 scale 2
e2e_user_spawn "$E2E_TMP/norvex.err" env SDL_VIDEODRIVER=wayland WAYLAND_DEBUG=1 "$(e2e_user_copy "$NORVEX")" \
    --windowed --size 320x240
E2E_NORVEX=$E2E_SPAWNED
for request in 'wl_surface@[0-9]+\.set_buffer_scale\(2\)' 'create_buffer\(new id wl_buffer@[0-9]+, [0-9]+, 640, 480,'; do
    e2e_check "asked of the compositor: $request" e2e_wait_for 30 grep -qE "$request" "$E2E_TMP/norvex.err"
done
# A viewport of the window's logical size would leave three quarters black.
quarters_lit() {
    e2e_grim HEADLESS-1 "$E2E_TMP/shots/out.png" 2>/dev/null && convert "$E2E_TMP/shots/out.png" -trim +repage "$E2E_TMP/w.png" &&
        [ "$(identify -format %wx%h "$E2E_TMP/w.png")" = 640x480 ] &&
        [ "$(convert "$E2E_TMP/w.png" -colorspace gray -threshold 3% -scale '2x2!' -format '%[fx:int(100*minima)]' info:)" -ge 5 ]
}
e2e_check "the city lit in every quarter of the 640x480 window" e2e_wait_for 90 quarters_lit
kill -TERM "$E2E_NORVEX" && e2e_check "SIGTERM: it ends" e2e_wait_for 5 e2e_gone "$E2E_NORVEX"
e2e_finish
