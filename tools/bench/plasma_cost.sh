#!/usr/bin/env bash
# CPU time per frame of norvex as KDE Plasma's wallpaper (the plugin: a
# renderer drawing offscreen, plasmashell showing its frames) against norvex
# --wallpaper (a layer surface; KWin without plasmashell, whose own desktop
# would cover it), on the same KWin output and the same flight, turn about so
# that both see the same load. Counted: every process the route keeps busy
# (renderer, plasmashell above its own idle cost, KWin; norvex's processes, KWin), over
# the frames drawn: for the plugin the renderer's announcements (sendmsg
# calls, counted by perf), for the layer surface Mesa's own counter. Runs as
# root (perf's tracepoints, a throwaway user for the desktop).
# Usage: plasma_cost.sh BUILD [ROUNDS] [SECONDS] [WxH] [MAX_FPS]
set -u
here=$(dirname "$0")
source "$here/../../tests/e2e/lib.sh"
source "$here/../../tests/e2e/wayland_lib.sh"
source "$here/../../tests/e2e/plasma_lib.sh"
NORVEX_BUILD=$(realpath "${1:?usage: plasma_cost.sh BUILD [ROUNDS] [SECONDS] [WxH] [MAX_FPS]}")
ROUNDS=${2:-2} SPAN=${3:-20} SIZE=${4:-1024x768} CAP=${5:-15}
WARMUP=8  # seconds: the first frames, while the driver compiles, are left out
SEED=2    # one flight for both routes: what a frame costs depends on where the camera is
missing=$(plasma_missing)
[ -z "$missing" ] || { echo "no KDE Plasma desktop here: $missing is missing"; exit 1; }
command -v perf >/dev/null || { echo "perf is missing (Debian: linux-perf)"; exit 1; }
e2e_init
e2e_user_init || exit 1
program=$NORVEX_BUILD/shell/norvex; [ -x "$program" ] || program=$NORVEX_BUILD/norvex
NORVEX=$(e2e_user_copy "$program") || exit 1
plasma_start "$SIZE" 1 "$NORVEX" || { echo "no Plasma desktop: ${E2E_WHY:-no reason given}"; exit 1; }
plasma_script "var d = desktops(); d[0].currentConfigGroup = ['Wallpaper', 'org.norvex.wallpaper', 'General'];
               d[0].writeConfig('MaxFps', $CAP); d[0].writeConfig('Seed', $SEED);" >/dev/null

# ticks PID...: their CPU ticks so far, summed.
ticks() { local p sum=0; for p; do sum=$((sum + $(e2e_cpu_ticks "$p" 2>/dev/null || echo 0))); done; echo "$sum"; }
ms() { echo $(( $1 * 1000 / $(getconf CLK_TCK) )); }

# plugin: one span of the plugin route; prints "plugin FRAMES RENDERER_MS PLASMA_MS KWIN_MS".
plugin() {
    plasma_wallpaper org.kde.color
    sleep 3
    local idle0 idle1 renderer
    idle0=$(ticks "$PLASMA") && sleep "$SPAN" && idle1=$(ticks "$PLASMA")
    plasma_wallpaper org.norvex.wallpaper
    e2e_wait_for 30 plasma_renderer_count 1 && renderer=$(plasma_renderers)
    sleep "$WARMUP"
    local r0 p0 k0 r1 p1 k1 frames
    read -r r0 p0 k0 <<<"$(ticks "$renderer") $(ticks "$PLASMA") $(ticks "$E2E_COMPOSITOR")"
    frames=$(perf stat -x, -e syscalls:sys_enter_sendmsg -p "$renderer" -- sleep "$SPAN" 2>&1 | awk -F, '/sendmsg/ {print $1}')
    read -r r1 p1 k1 <<<"$(ticks "$renderer") $(ticks "$PLASMA") $(ticks "$E2E_COMPOSITOR")"
    echo "plugin $frames $(ms $((r1 - r0))) $(ms $((p1 - p0 - (idle1 - idle0)))) $(ms $((k1 - k0)))"
    plasma_wallpaper org.kde.color
}
# layer: one span of norvex --wallpaper with plasmashell stopped; prints "layer FRAMES NORVEX_MS 0 KWIN_MS".
layer() {
    kill -TERM "$PLASMA" && e2e_wait_for 10 e2e_gone "$PLASMA"
    local hud=$E2E_TMP/hud-$RANDOM pid children n0 k0 n1 k1
    mkdir -p "$hud" && chmod 777 "$hud"
    e2e_user_spawn /dev/null env $(e2e_hud_env "$hud") "$NORVEX" --wallpaper --max-fps "$CAP" --seed "$SEED"
    pid=$E2E_SPAWNED
    e2e_wait_for 30 e2e_child_count "$pid" 1
    children=$(e2e_children "$pid")
    sleep "$WARMUP"
    read -r n0 k0 <<<"$(ticks "$pid" $children) $(ticks "$E2E_COMPOSITOR")"
    local lines0 lines1
    lines0=$(wc -l <"$hud/fps")
    sleep "$SPAN"
    read -r n1 k1 <<<"$(ticks "$pid" $children) $(ticks "$E2E_COMPOSITOR")"
    lines1=$(wc -l <"$hud/fps")
    # Mesa writes one count a second: the span's seconds, as many as it wrote meanwhile.
    local frames
    frames=$(sed -n "$((lines0 + 1)),${lines1}p" "$hud/fps" | awk '{ s += $1 } END { printf "%d\n", s }')
    echo "layer $frames $(ms $((n1 - n0))) 0 $(ms $((k1 - k0)))"
    kill -TERM "$pid" && e2e_wait_for 5 e2e_gone "$pid"
    plasma_shell 1 >/dev/null || { echo "plasmashell did not come back" >&2; exit 1; }
}

for round in $(seq "$ROUNDS"); do
    plugin
    layer
done | tee "$E2E_TMP/all" | sed 's/^/  /' >&2
# Each round's ratio, as the load was then; their median is the steadier figure.
awk '{ cost = ($3 + $4 + $5) / $2 } $1 == "plugin" { p = cost } $1 == "layer" { print p / cost }' "$E2E_TMP/all" |
    sort -n | awk '{ r[NR] = $1; printf "round ratio %.3f\n", $1 } END { printf "median of %d rounds: %.3f\n", NR, NR % 2 ? r[(NR + 1) / 2] : (r[NR / 2] + r[NR / 2 + 1]) / 2 }'
# Per frame: the route's CPU milliseconds over its frames; the ratio plugin/layer.
awk -v size="$SIZE" -v cap="$CAP" '
    { f[$1] += $2; a[$1] += $3; b[$1] += $4; k[$1] += $5 }
    END {
        for (r in f) total[r] = (a[r] + b[r] + k[r]) / f[r]
        printf "%s, cap %d: plugin %.1f ms a frame (renderer %.1f, plasmashell %.1f, KWin %.1f; %d frames)\n",
               size, cap, total["plugin"], a["plugin"] / f["plugin"], b["plugin"] / f["plugin"], k["plugin"] / f["plugin"], f["plugin"]
        printf "%s, cap %d: --wallpaper %.1f ms a frame (norvex %.1f, KWin %.1f; %d frames)\n",
               size, cap, total["layer"], a["layer"] / f["layer"], k["layer"] / f["layer"], f["layer"]
        printf "plugin/--wallpaper CPU per frame: %.3f\n", total["plugin"] / total["layer"]
    }' "$E2E_TMP/all"
