#!/usr/bin/env bash
# The frame-rate cap, counted from the swaps by Mesa's own counter in small
# windows, in the demo's own window and as a saver's preview, also with the
# scene at half size, multisampled and stretched: --max-fps 5 holds within 1
# frame a second, --max-fps 0 holds none. The software renderer here draws
# well under 60 a second (under 10 when the machine is busy), so only a low
# cap can be seen; the default's schedule has a unit test.
set -u
source "${NORVEX_SOURCE:-$(dirname "$0")/../..}/tests/e2e/lib.sh"
NORVEX=$1
e2e_init
e2e_start_xvfb 1024x768x24 || exit 1
"${NORVEX_BUILD:-$(dirname "$NORVEX")}/tests/host_window" 160 120 >"$E2E_TMP/host.id" &
e2e_track $!
e2e_wait_for 10 test -s "$E2E_TMP/host.id" || { e2e_fail "no host window"; e2e_finish; }
quiet_scene() { ! test -s "$dir.err" && e2e_window_shows scene "$id"; }
row=0
while read -r cap low high args; do  # cap, the rate's bounds, where it draws
    dir=$E2E_TMP/hud-$((row += 1)) what="--max-fps $cap $args"
    env $(e2e_hud_env "$dir") "$NORVEX" --max-fps "$cap" ${args/HOST/$(cat "$E2E_TMP/host.id")} 2>"$dir.err" &
    e2e_track $!
    fps=$(e2e_hud_fps "$dir" 4 5)
    id=$(if [ -z "${args##*HOST*}" ]; then cat "$E2E_TMP/host.id"; else e2e_find_window "$TITLE" 10; fi)
    e2e_check "$what: draws the scene, nothing on stderr" quiet_scene
    kill -TERM $!
    e2e_check "$what: $fps frames a second, $low to $high" awk "BEGIN { exit !(\"$fps\" != \"\" && $fps + 0 >= $low && $fps + 0 <= $high) }"
done <<'ROWS'
5 4 6 --windowed --size 160x120
0 7 1000 --windowed --size 160x120
5 4 6 --windowed --size 160x120 --scale 0.5 --samples 4
5 4 6 --window-id HOST
0 7 1000 --window-id HOST
5 4 6 --window-id HOST --scale 0.5 --samples 4
ROWS
e2e_finish
