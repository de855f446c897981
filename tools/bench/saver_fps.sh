#!/usr/bin/env bash
# Frames per second of the screen-saver mode (--root) against the demo's own
# window, at 1024x768 on one Xvfb, taken turn about so that both see the same
# load. Mesa's own counter (GALLIUM_HUD) measures both; the first seconds, in
# which the driver compiles, are left out. Usage: saver_fps.sh BUILD [ROUNDS] [SECONDS]
set -u
source "$(dirname "$0")/../../tests/e2e/lib.sh"
NORVEX=${1:?usage: saver_fps.sh BUILD [ROUNDS] [SECONDS]}/norvex ROUNDS=${2:-3} SECONDS_EACH=${3:-30}
WARMUP=8  # seconds
e2e_init
e2e_start_xvfb 1024x768x24 || exit 1

# run NAME ARGS...: the mean of Mesa's per-second counts after the warm-up.
run() {
    local name=$1 dir=$E2E_TMP/hud-$RANDOM
    mkdir "$dir"
    GALLIUM_HUD=fps GALLIUM_HUD_PERIOD=1 GALLIUM_HUD_DUMP_DIR=$dir "$NORVEX" "${@:2}" 2>/dev/null &
    local pid=$!
    sleep "$SECONDS_EACH"
    kill -TERM "$pid"
    wait "$pid"
    tail -n +$((WARMUP + 1)) "$dir/fps" | awk -v n="$name" '{ s += $1; c++ } END { printf "%s %.2f\n", n, s / c }'
}

for round in $(seq "$ROUNDS"); do
    run demo
    run saver --root
done | tee "$E2E_TMP/all" | sed 's/^/  /'
awk '{ s[$1] += $2; c[$1]++ } END { d = s["demo"] / c["demo"]; v = s["saver"] / c["saver"];
       printf "demo %.2f fps, saver %.2f fps, saver/demo %.3f\n", d, v, v / d }' "$E2E_TMP/all"
