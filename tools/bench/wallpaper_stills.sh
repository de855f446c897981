#!/usr/bin/env bash
# Whether the wallpaper stands still on a large scaled output, and where: under
# sway with outputs of 1280x720 and 1600x1200 at scale 2, `norvex --wallpaper
# --seed 6` runs for SECONDS while grim takes the larger output about every
# second, and strace times every message each per-output process sends the
# compositor. For each run it prints the spans over which the pictures stood
# still, and how many messages the process of each output sent in them: none
# means our frames stopped; the usual number means the compositor's picture
# did. Usage: wallpaper_stills.sh NORVEX [RUNS] [SECONDS]
set -u
here=$(dirname "$0")/../../tests/e2e
source "$here/lib.sh"
source "$here/wayland_lib.sh"
RUNS=${2:-5} SECONDS_=${3:-20}
e2e_init
e2e_user_init || { echo "no user to run the compositor as"; exit 1; }
NORVEX=$(e2e_user_copy "${1:?usage: wallpaper_stills.sh NORVEX [RUNS] [SECONDS]}") || exit 1
e2e_start_sway || { echo "sway did not start: ${E2E_WHY:-}"; exit 1; }
e2e_swaymsg output X11-1 mode 1280x720 scale 1
e2e_add_output 1600x1200 2 || { echo "no second output"; exit 1; }
BIG=$E2E_OUTPUT

for run in $(seq "$RUNS"); do
    dir=$E2E_TMP/run$run && mkdir -p "$dir" && chmod 777 "$dir"
    e2e_user_spawn "$dir/norvex.log" strace --seccomp-bpf -f -ff -ttt -e trace=sendmsg -o "$dir/trace" "$NORVEX" --wallpaper --seed 6
    pid=$E2E_SPAWNED start=$(date +%s.%N)
    for shot in $(seq "$SECONDS_"); do
        e2e_grim "$BIG" "$dir/shot-$shot.png"
        echo "$shot $(date +%s.%N)" >>"$dir/times"
        sleep 0.8
    done
    kill -TERM "$pid"
    wait "$pid" 2>/dev/null
    # Still spans once the picture has moved: pairs of consecutive pictures
    # alike (under 1 % of pixels differ); before, the driver builds its shaders.
    spans=$(moved=0; for shot in $(seq 2 "$SECONDS_"); do
        if e2e_pictures_differ "$dir/shot-$((shot - 1)).png" "$dir/shot-$shot.png"; then moved=1
        elif [ $moved = 1 ]; then
            echo "$((shot - 1)) $shot $(compare -metric AE "$dir/shot-$((shot - 1)).png" "$dir/shot-$shot.png" null: 2>&1)"
        fi
    done)
    echo "run $run: $(ls "$dir"/trace.* | wc -l) processes traced; still pairs of pictures: $(echo "${spans:-none}" | cut -d' ' -f1,2 | paste -sd,)"
    echo
    [ -z "$spans" ] && continue
    while read -r a b differing; do
        t0=$(awk -v s="$a" '$1 == s { print $2 }' "$dir/times") t1=$(awk -v s="$b" '$1 == s { print $2 }' "$dir/times")
        for trace in $(grep -l sendmsg "$dir"/trace.*); do
            n=$(awk -v t0="$t0" -v t1="$t1" '$1 >= t0 && $1 <= t1 && /sendmsg/ { n++ } END { print n + 0 }' "$trace")
            all=$(grep -c sendmsg "$trace")
            printf '  pictures %s-%s (%.1f s after start, %s pixels differ): process %s sent %s messages (%s in the run)\n' \
                "$a" "$b" "$(echo "$t0 - $start" | bc)" "$differing" "${trace##*.}" "$n" "$all"
        done
    done <<<"$spans"
done
e2e_finish
