#!/usr/bin/env bash
# The frame-rate cap, counted from the swaps by Mesa's own counter in small
# windows, in the demo's own window and as a saver's preview: --max-fps 5
# holds within 1 frame a second, --max-fps 0 holds no cap; the same with the
# scene drawn at half the size, multisampled, and stretched over the window. The software
# renderer here draws well under 60 a second even in a small window (and
# under 10 on a busy machine), so only a low cap can be seen; the default's
# schedule has a unit test.
set -u
source "${NORVEX_SOURCE:-$(dirname "$0")/../..}/tests/e2e/lib.sh"
NORVEX=$1
HOST_WINDOW=${NORVEX_BUILD:-$(dirname "$NORVEX")}/tests/host_window
e2e_init
e2e_start_xvfb 1024x768x24 || exit 1
"$HOST_WINDOW" 160 120 >"$E2E_TMP/host.id" &
e2e_track $!
e2e_wait_for 10 test -s "$E2E_TMP/host.id" || { e2e_fail "no host window"; e2e_finish; }

# Mode; cap; the rate's bounds; the arguments that draw there.
row=0
while read -r mode cap low high args; do
    row=$((row + 1))
    dir=$E2E_TMP/hud-$row
    env $(e2e_hud_env "$dir") "$NORVEX" --max-fps "$cap" ${args/HOST/$(cat "$E2E_TMP/host.id")} 2>"$dir.err" &
    pid=$!
    e2e_track $pid
    fps=$(e2e_hud_fps "$dir" 4 5)
    id=$(if [ "$mode" = saver ]; then cat "$E2E_TMP/host.id"; else e2e_find_window "$TITLE" 10; fi)
    e2e_check "$mode, --max-fps $cap ${args#* * }: draws the scene" e2e_window_shows scene "$id"
    kill -TERM $pid
    e2e_check "$mode, --max-fps $cap: $fps frames a second, $low to $high" e2e_within "$fps" "$low" "$high"
    e2e_check "$mode, --max-fps $cap: nothing on stderr" test ! -s "$dir.err"
done <<'ROWS'
demo 5 4 6 --windowed --size 160x120
demo 0 7 1000 --windowed --size 160x120
demo 5 4 6 --windowed --size 160x120 --scale 0.5 --samples 4
saver 5 4 6 --window-id HOST
saver 0 7 1000 --window-id HOST
saver 5 4 6 --window-id HOST --scale 0.5 --samples 4
ROWS
e2e_finish
