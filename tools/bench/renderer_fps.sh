#!/usr/bin/env bash
# Frames per second and CPU time per frame of the demo's window, fixed against
# batched, over frames 1 to 600 of the pinned flight (--seed 1, no cap), on
# Xvfb with llvmpipe, at 1024x768 and 1920x1080, and batched at --scale 0.5.
# Mesa's counter (GALLIUM_HUD) gives the frames, /proc the process's CPU time,
# sampled every tenth of a second and read where the count passes frames 1
# and 600. The runs take turns, round after round, so that all see the same
# load; stdout has the means, their spread over the rounds and the ratios to
# fixed at the same size. Usage: renderer_fps.sh BUILD [ROUNDS] [LAST]
set -u
source "$(dirname "$0")/../../tests/e2e/lib.sh"
NORVEX=${1:?usage: renderer_fps.sh BUILD [ROUNDS] [LAST]}/shell/norvex ROUNDS=${2:-2} LAST=${3:-600}
PERIOD=0.25  # seconds between the counter's figures
TICK=$(getconf CLK_TCK)
e2e_init
e2e_start_xvfb 1920x1080x24 || exit 1

# run LABEL SIZE ARGS...: "LABEL SIZE fps cpu-ms-per-frame" over frames 1..LAST.
run() {
    local label=$1 size=$2 dir=$E2E_TMP/hud-$RANDOM samples=$E2E_TMP/samples-$RANDOM
    env $(e2e_hud_env "$dir") GALLIUM_HUD_PERIOD=$PERIOD "$NORVEX" --seed 1 --windowed --size "$size" \
        --max-fps 0 "${@:3}" 2>/dev/null &
    local pid=$! frames=0
    while [ "${frames%.*}" -lt "$LAST" ] && kill -0 "$pid" 2>/dev/null; do
        frames=$(awk -v p=$PERIOD '{ s += $1 * p } END { printf "%.1f", s }' "$dir/fps" 2>/dev/null || echo 0)
        echo "$(date +%s.%N) $frames $(e2e_cpu_ticks "$pid")" >>"$samples"
        sleep 0.1
    done
    kill -TERM "$pid"
    wait "$pid"
    # Time and CPU ticks where the count first reaches frame 1 and frame LAST.
    awk -v last="$LAST" -v tick="$TICK" -v label="$label" -v size="$size" '
        $2 >= 1 && !t1 { t1 = $1; c1 = $3; f1 = $2 }
        $2 >= last && !t2 { t2 = $1; c2 = $3; f2 = $2 }
        END { n = f2 - f1; printf "%s %s %.2f %.1f\n", label, size, n / (t2 - t1), (c2 - c1) / tick * 1000 / n }' "$samples"
}

for round in $(seq "$ROUNDS"); do
    for size in 1024x768 1920x1080; do
        run fixed "$size" --renderer fixed
        run batched "$size" --renderer batched
        run batched-0.5 "$size" --renderer batched --scale 0.5
    done
done | tee "$E2E_TMP/all" | sed 's/^/  /' >&2

echo "frames 1 to $LAST of --seed 1, windowed, uncapped; mean of $ROUNDS rounds (spread: largest minus smallest over the mean)"
awk '{ k = $1 " " $2; fps[k] += $3; cpu[k] += $4; n[k]++
       lo[k] = (k in lo && lo[k] < $3) ? lo[k] : $3; hi[k] = (k in hi && hi[k] > $3) ? hi[k] : $3 }
     END { for (k in n) { split(k, p, " "); f = fps[k] / n[k]; c = cpu[k] / n[k]
               base = fps["fixed " p[2]] / n["fixed " p[2]]; basecpu = cpu["fixed " p[2]] / n["fixed " p[2]]
               printf "%-12s %-10s %7.2f fps (spread %3.0f%%) %7.1f ms CPU a frame   %5.2fx fixed fps, %5.2fx less CPU\n",
                      p[1], p[2], f, 100 * (hi[k] - lo[k]) / f, c, f / base, basecpu / c } }' "$E2E_TMP/all" | sort -k2,2 -k1,1
