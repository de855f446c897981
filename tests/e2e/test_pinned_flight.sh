#!/usr/bin/env bash
# --seed pins the flight: two runs with the same seed issue the same GL calls
# for their first 100 frames (apitrace, with the X server's window numbers and
# the addresses left out; the second says --scale 1, which changes no call),
# and a frame on screen is norvex-capture's frame of
# that number at the same size, pixel for pixel (the window's depth buffer has
# the 16 bits its pixel format asks for, as capture's has).
set -u
source "${NORVEX_SOURCE:-$(dirname "$0")/../..}/tests/e2e/lib.sh"
NORVEX=$1
CAPTURE=${NORVEX_BUILD:-$(dirname "$NORVEX")}/tools/norvex-capture
command -v apitrace >/dev/null || e2e_skip "no apitrace (apitrace)"
e2e_init
e2e_start_xvfb 1024x768x24 || exit 1
FLIGHT=(--seed 2 --windowed --size 160x120)

# calls FILE: the first 100 frames' calls, without call numbers, addresses and window numbers.
calls() {
    apitrace dump --color=never "$1" | awk '/SwapBuffers/ { if (++n == 100) exit } { print }' |
        sed -E 's/^[0-9]+ //; s/0x[0-9a-f]+/ADDRESS/g; s/drawable = [0-9]+/drawable = WINDOW/'
}
for run in 1 2; do
    hud=$E2E_TMP/hud-$run
    env $(e2e_hud_env "$hud") apitrace trace -o "$E2E_TMP/$run.trace" "$NORVEX" "${FLIGHT[@]}" --max-fps 0 \
        $([ $run = 2 ] && echo --scale 1) \
        >"$E2E_TMP/trace-$run.log" 2>&1 &
    E2E_NORVEX=$!
    e2e_track $E2E_NORVEX
    e2e_wait_for 300 sh -c "[ \$(awk '{ s += \$1 } END { print int(s) }' '$hud/fps' 2>/dev/null || echo 0) -ge 110 ]" ||
        e2e_fail "run $run: fewer than 110 frames in 5 minutes"
    id=$(e2e_find_window "$TITLE" 5) && e2e_focus "$id"
    e2e_hold Escape 10 e2e_gone "$E2E_NORVEX"
    e2e_expect_exit "run $run: Escape" 10 0
    calls "$E2E_TMP/$run.trace" >"$E2E_TMP/calls-$run"
done
e2e_check "the runs' first 100 frames ($(grep -c SwapBuffers "$E2E_TMP/calls-1") swaps between, $(wc -l <"$E2E_TMP/calls-1") calls) are one call stream" \
    sh -c "[ \$(grep -c SwapBuffers '$E2E_TMP/calls-1') -eq 99 ] && cmp -s '$E2E_TMP/calls-1' '$E2E_TMP/calls-2'"

# Two frames a second: the picture on screen stays put long enough to be read.
started=$(date +%s%N)
e2e_start_norvex "$NORVEX" "${FLIGHT[@]}" --max-fps 2
# A frame put after the window was up: the picture has changed since it first showed.
id=$(e2e_find_window "$TITLE" 10) && e2e_wait_for 30 e2e_window_shows scene "$id" &&
    e2e_wait_for 30 e2e_window_changes "$id" 0.6
kill -STOP "$E2E_NORVEX"
import -window "$id" "$E2E_TMP/screen.png"
frames=$(( $(e2e_ms_since "$started") / 500 + 4 ))  # two a second, and some
kill -CONT "$E2E_NORVEX"
"$CAPTURE" --seed 2 --size 160x120 --frames "$frames" --out "$E2E_TMP/captured"
# Each captured frame against the screen: pixels that differ, and the frame's name.
for f in "$E2E_TMP"/captured/*.png; do
    echo "$(compare -metric AE "$E2E_TMP/screen.png" "$f" null: 2>&1) $(basename "$f")"
done | sort -n >"$E2E_TMP/matches"
read -r best name <"$E2E_TMP/matches"
second=$(sed -n 2p "$E2E_TMP/matches" | cut -d' ' -f1)
e2e_check "the frame on screen is norvex-capture's $name ($best pixels differ; the next best frame: $second)" \
    sh -c "[ '$best' = 0 ] && [ '${second:-0}' -gt 0 ]"
e2e_finish
