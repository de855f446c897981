#!/usr/bin/env bash
# Frames per second of the demo at --scale 0.5 and 0.25 against 1, in a
# 1024x768 window on Xvfb (llvmpipe), over the same frames of a pinned flight
# (--seed 1, no cap): the rate from frame FIRST to frame LAST, where Mesa's
# own counter (GALLIUM_HUD, a count every quarter second) passes them. The
# scales take turns, so that all see the same load; reported as ratios to 1,
# with llvmpipe's threads as they are and with one rasterising thread.
# Usage: scale_fps.sh BUILD [ROUNDS] [FIRST] [LAST]
set -u
source "$(dirname "$0")/../../tests/e2e/lib.sh"
NORVEX=${1:?usage: scale_fps.sh BUILD [ROUNDS] [FIRST] [LAST]}/norvex ROUNDS=${2:-2} FIRST=${3:-30} LAST=${4:-180}
PERIOD=0.25  # seconds between the counter's figures
e2e_init
e2e_start_xvfb 1024x768x24 || exit 1

# run SCALE: the rate over frames FIRST..LAST, the counter's figures integrated.
run() {
    local dir=$E2E_TMP/hud-$RANDOM
    env $(e2e_hud_env "$dir") GALLIUM_HUD_PERIOD=$PERIOD "$NORVEX" --seed 1 --windowed --size 1024x768 \
        --max-fps 0 --scale "$1" 2>/dev/null &
    local pid=$!
    e2e_wait_for 600 sh -c "awk -v p=$PERIOD '{ s += \$1 * p } END { exit !(s >= $LAST) }' '$dir/fps' 2>/dev/null"
    kill -TERM "$pid"
    wait "$pid"
    awk -v p=$PERIOD -v a="$FIRST" -v b="$LAST" -v scale="$1" '
        { before = frames; frames += $1 * p; t = NR * p
          if (!ta && frames >= a) ta = t - p * (frames - a) / (frames - before)
          if (!tb && frames >= b) tb = t - p * (frames - b) / (frames - before) }
        END { printf "%s %.2f\n", scale, (b - a) / (tb - ta) }' "$dir/fps"
}

# measure LABEL: every scale ROUNDS times, and the ratios to scale 1.
measure() {
    for round in $(seq "$ROUNDS"); do
        for scale in 1 0.5 0.25; do run "$scale"; done
    done | tee "$E2E_TMP/all" | sed 's/^/  scale /; s/$/ fps/' >&2
    awk -v label="$1" '{ s[$1] += $2; c[$1]++ } END { one = s["1"] / c["1"]
           printf "%s, frames %d to %d at 1024x768: scale 1 %.2f fps; 0.5 %.2f fps (%.2fx); 0.25 %.2f fps (%.2fx)\n",
                  label, '"$FIRST"', '"$LAST"', one, s["0.5"] / c["0.5"], s["0.5"] / c["0.5"] / one,
                  s["0.25"] / c["0.25"], s["0.25"] / c["0.25"] / one }' "$E2E_TMP/all"
}

# llvmpipe rasterises on every core, but lights and transforms each frame's
# vertices on one, at the same cost at every scale; on one core (a small board
# or a virtual machine with one processor) the pixels weigh more.
measure "llvmpipe's own threads" | tee "$E2E_TMP/summary"
LP_NUM_THREADS=1 measure "one rasterising thread" | tee -a "$E2E_TMP/summary"
echo; cat "$E2E_TMP/summary"
