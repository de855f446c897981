#!/usr/bin/env bash
# --seed pins the flight: two runs with the same seed (the second saying
# --scale 1, which changes no call) issue the same GL calls for their first
# 100 frames (apitrace, addresses and window numbers left out), and a frame
# on screen is norvex-capture's frame of that number, pixel for pixel.
set -u
source "${NORVEX_SOURCE:-$(dirname "$0")/../..}/tests/e2e/lib.sh"
NORVEX=$1
command -v apitrace >/dev/null || e2e_skip "no apitrace (apitrace)"
e2e_init
e2e_start_xvfb 1024x768x24 || exit 1
FLIGHT=(--seed 2 --windowed --size 160x120)
counted() { [ "$(e2e_hud_frames "$1")" -ge 110 ]; }
for run in 1 2; do
    env $(e2e_hud_env "$E2E_TMP/hud-$run") apitrace trace -o "$E2E_TMP/$run.trace" "$NORVEX" "${FLIGHT[@]}" \
        --max-fps 0 $([ $run = 2 ] && echo --scale 1) >/dev/null 2>&1 &
    E2E_NORVEX=$!
    e2e_track $E2E_NORVEX
    e2e_wait_for 300 counted "$E2E_TMP/hud-$run" || e2e_fail "run $run: fewer than 110 frames in 5 minutes"
    e2e_focus "$(e2e_find_window "$TITLE" 5)" && e2e_hold Escape 10 e2e_gone "$E2E_NORVEX"
    e2e_expect_exit "run $run: Escape" 10 0
    apitrace dump --color=never "$E2E_TMP/$run.trace" | awk '/SwapBuffers/ { if (++n == 100) exit } { print }' |
        sed -E 's/^[0-9]+ //; s/0x[0-9a-f]+/ADDRESS/g; s/drawable = [0-9]+/drawable = WINDOW/' >"$E2E_TMP/calls-$run"
done
e2e_check "the runs' first 100 frames ($(wc -l <"$E2E_TMP/calls-1") calls) are one call stream" \
    sh -c "[ \$(grep -c SwapBuffers '$E2E_TMP/calls-1') -eq 99 ] && cmp -s '$E2E_TMP/calls-1' '$E2E_TMP/calls-2'"

# Two frames a second, and a frame put after the window was up (the picture changed since it showed).
started=$(date +%s%N)
e2e_start_norvex "$NORVEX" "${FLIGHT[@]}" --max-fps 2
id=$(e2e_find_window "$TITLE" 10) && e2e_wait_for 30 e2e_window_shows scene "$id" &&
    e2e_wait_for 30 e2e_window_changes "$id" 0.6
kill -STOP "$E2E_NORVEX"
e2e_import "$id" "$E2E_TMP/screen.png"
"${NORVEX_BUILD:-$(dirname "$NORVEX")}"/tools/norvex-capture --seed 2 --size 160x120 \
    --frames $(($(e2e_ms_since "$started") / 500 + 4)) --out "$E2E_TMP/captured"
for f in "$E2E_TMP"/captured/*.png; do  # pixels that differ from the screen, and the frame
    echo "$(compare -metric AE "$E2E_TMP/screen.png" "$f" null: 2>&1) $(basename "$f")"
done | sort -n | head -n 2 >"$E2E_TMP/best"
e2e_check "the frame on screen is norvex-capture's, pixel for pixel, and no other: $(xargs <"$E2E_TMP/best")" \
    awk 'NR == 1 { ok = $1 == 0 } NR == 2 { ok = ok && $1 > 0 } END { exit !(ok && NR == 2) }' "$E2E_TMP/best"
e2e_finish
