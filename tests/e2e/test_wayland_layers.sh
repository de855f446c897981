#!/usr/bin/env bash
# norvex --wallpaper and --overlay on a real sway (wayland_lib.sh), as users run
# them: the city on two outputs of different sizes, one at scale 2, in full
# resolution; covered by a window, idle under a full-screen one; outputs that
# come and go, twenty times without growing, one whose process hangs; the idle
# screen over a window, ended by a key or a pointer motion along one axis (also
# scaled, multisampled and capped), and started by swayidle; the faults'
# exit codes and messages (weston has no layer shell); sway killed under it.
# Last, the wallpaper on KDE's compositor (kwin_wayland --virtual).
set -u
source "${NORVEX_SOURCE:-$(dirname "$0")/../..}/tests/e2e/lib.sh"
source "${NORVEX_SOURCE:-$(dirname "$0")/../..}/tests/e2e/wayland_lib.sh"
e2e_init
e2e_user_init || { echo "no user to run the compositors as"; exit 1; }
NORVEX=$(e2e_user_copy "$1") || exit 1
LOG=$E2E_TMP/norvex.log

# start ARGS...: norvex as the user; E2E_NORVEX is its pid, its output in LOG.
start() { e2e_user_spawn "$LOG" env --default-signal=INT,TERM "$NORVEX" "$@" && E2E_NORVEX=$E2E_SPAWNED; }
# ends WHAT SECONDS CODE: it ends so, and none of its processes is left.
ends() { e2e_expect_exit "$@"; e2e_check "$1: no process left" e2e_wait_for 1 none_left; }
none_left() { test -z "$(pgrep -u "$E2E_USER" -f "^$NORVEX")"; }
# window_alone: the window is mapped and X11-1 shows a still picture, not
# black: the window has drawn (an empty workspace is a still grey).
window_alone() {
    e2e_view_shown "$FOOT" && ! e2e_output_changes X11-1 0.5 && [ "$(e2e_picture_stats "$E2E_TMP/shots/X11-1-b.png" | cut -d' ' -f1)" -ge 4 ]
}
# shows_window: X11-1 shows the window as it was alone on the output (window.png).
shows_window() { e2e_grim X11-1 "$E2E_TMP/shots/now.png" && ! e2e_pictures_differ "$E2E_TMP/shots/window.png" "$E2E_TMP/shots/now.png"; }
# city_over_window: X11-1 shows the moving city instead.
city_over_window() { ! shows_window && e2e_picture_shows city "$E2E_TMP/shots/now.png" && e2e_output_changes X11-1 0.5; }
fps_on() { e2e_grim "$1" "$E2E_TMP/shots/fps.png" && e2e_fps_in "$E2E_TMP/shots/fps.png"; }
# idle_child: a child of norvex that used no CPU over a second (IDLE: its pid).
idle_child() {
    local c
    for c in $(e2e_children "$E2E_NORVEX"); do [ "$(e2e_cpu_over "$c" 1)" -eq 0 ] && { IDLE=$c; return 0; }; done
    return 1
}
# draws: the first child of norvex used CPU over a second.
draws() { [ "$(e2e_cpu_over "$(e2e_children "$E2E_NORVEX" | head -n 1)" 1)" -ge 10 ]; }
ticks() { for p; do e2e_cpu_ticks "$p"; done | paste -sd' '; }
descriptors() { ls "/proc/$E2E_NORVEX/fd" | wc -l; }

# The faults, each within a second: code; what it says; environment (. for
# none); arguments.
e2e_start_compositor weston weston --backend=headless-backend.so --idle-time=0 ||
    e2e_fail "weston did not start: ${E2E_WHY:-no reason given}"
while IFS=';' read -r code says env args; do
    [ "$env" = . ] && env=
    start=$(date +%s%N)
    e2e_user_exec env $env "$NORVEX" $args >"$E2E_TMP/fault.out" 2>&1
    rc=$? ms=$(e2e_ms_since "$start")
    e2e_check "'$args' $env: exit code $code (got $rc after $ms ms), says '$says'" \
        sh -c "[ $rc -eq $code ] && [ $ms -lt 1000 ] && grep -qF -- \"\$1\" '$E2E_TMP/fault.out'" - "$says"
done <<ROWS
2;give only one of --root and --wallpaper;.;--wallpaper --root
2;give only one of --window-id and --overlay;.;--overlay -window-id 0x400001
2;give only one of --wallpaper and --overlay;.;--fps --wallpaper --overlay
1;there is none at $XDG_RUNTIME_DIR/nowhere (No such file;WAYLAND_DISPLAY=nowhere;--wallpaper
1;WAYLAND_DISPLAY is not set, and XDG_RUNTIME_DIR is not set;-u WAYLAND_DISPLAY -u XDG_RUNTIME_DIR;--overlay
1;(zwlr_layer_shell_v1), and this Wayland compositor lacks it;.;--wallpaper
ROWS
kill -TERM "$E2E_COMPOSITOR"

# Two outputs, and a window on workspace 9 of the first: its picture alone.
e2e_start_sway || { echo "sway did not start: ${E2E_WHY:-no reason given}"; exit 1; }
e2e_swaymsg output X11-1 mode 480x360 scale 1
e2e_add_output 640x480 2 || e2e_fail "no second output"
e2e_swaymsg focus output X11-1 && e2e_swaymsg workspace 9
e2e_user_spawn /dev/null foot sleep 600
FOOT=$E2E_SPAWNED
e2e_check "a window on workspace 9" e2e_wait_for 20 window_alone
cp "$E2E_TMP/shots/X11-1-b.png" "$E2E_TMP/shots/window.png"
e2e_swaymsg workspace 1

# The wallpaper on both outputs, in full resolution: at scale 2 the frame
# rate's letters are as small as at scale 1, not doubled by an upscaled buffer.
start --wallpaper --fps
for output in "X11-1 480x360" "$E2E_OUTPUT 640x480"; do
    read -r name size <<<"$output"
    e2e_check "wallpaper on $name: the city" e2e_wait_for 60 e2e_output_shows city "$name"
    e2e_check "wallpaper on $name: $size pixels" test "$(e2e_output_size "$name")" = "$size"
    e2e_check "wallpaper on $name: it moves" e2e_output_changes "$name" 1
    e2e_check "wallpaper on $name: the frame rate at full resolution" e2e_wait_for 10 fps_on "$name"
done

# The window over it covers it; full screen, its output's process sleeps.
e2e_swaymsg workspace 9
e2e_check "a window covers the wallpaper" e2e_wait_for 20 shows_window
e2e_swaymsg "[pid=$FOOT] fullscreen enable"
e2e_check "a full-screen window: one output's process stops drawing" e2e_wait_for 20 idle_child
other=$(e2e_children "$E2E_NORVEX" | grep -vx "$IDLE")
read -ra before <<<"$(ticks "$IDLE" "$E2E_NORVEX" $other)"
sleep 5
read -ra after <<<"$(ticks "$IDLE" "$E2E_NORVEX" $other)"
e2e_check "covered for 5 s: $((after[0] - before[0])) ticks of CPU (at most 5)" test $((after[0] - before[0])) -le 5
e2e_check "covered for 5 s: the first process $((after[1] - before[1])) ticks (at most 2)" test $((after[1] - before[1])) -le 2
e2e_check "the other output draws on: $((after[2] - before[2])) ticks" test $((after[2] - before[2])) -ge 20
e2e_swaymsg "[pid=$FOOT] fullscreen disable" && e2e_swaymsg workspace 1
e2e_check "uncovered: the wallpaper moves again" e2e_wait_for 20 e2e_output_changes X11-1 1

# Outputs that come and go. The first process, which sees them all, keeps its
# memory and descriptors; each output's process ends with its output.
e2e_add_output 320x240 1
e2e_check "an added output ($E2E_OUTPUT): the city" e2e_wait_for 60 e2e_output_shows city "$E2E_OUTPUT"
wmctrl -i -c "$E2E_OUTPUT_WINDOW"
e2e_check "the output removed: its process ended and collected" e2e_wait_for 20 e2e_child_count "$E2E_NORVEX" 2
# One whose process does not end on SIGTERM (stopped, as a hung one would be)
# is killed a moment later.
before=$(e2e_children "$E2E_NORVEX")
e2e_add_output 320x240 1 && e2e_wait_for 20 e2e_child_count "$E2E_NORVEX" 3
stuck=$(e2e_children "$E2E_NORVEX" | grep -vxF "$before")
kill -STOP "$stuck" && wmctrl -i -c "$E2E_OUTPUT_WINDOW"
e2e_check "removed, its process stopped: killed and collected" e2e_wait_for 5 e2e_child_count "$E2E_NORVEX" 2
kill -CONT "$stuck" 2>/dev/null  # not killed: it ends on its SIGTERM, and the checks below are its own
floors=()
fds=$(descriptors)
for cycle in $(seq 20); do
    e2e_add_output 320x240 1 && e2e_wait_for 20 e2e_child_count "$E2E_NORVEX" 3 &&
        wmctrl -i -c "$E2E_OUTPUT_WINDOW" && e2e_wait_for 20 e2e_child_count "$E2E_NORVEX" 2 ||
        { e2e_fail "output cycle $cycle"; break; }
    floors+=("$(e2e_rss_kb "$E2E_NORVEX")")
done
first=$(printf '%s\n' "${floors[@]:0:5}" | sort -n | head -n 1)
last=$(printf '%s\n' "${floors[@]: -5}" | sort -n | head -n 1)
e2e_check "20 outputs added and removed: memory floors $first -> $last kB (within 2048)" \
    test "${#floors[@]}" -eq 20 -a $((last - first)) -le 2048
e2e_check "20 outputs added and removed: no zombie" e2e_no_zombie "$E2E_NORVEX"
e2e_check "20 outputs added and removed: $(descriptors) descriptors open (were $fds)" test "$(descriptors)" -eq "$fds"
kill -TERM "$E2E_NORVEX"
ends "wallpaper: SIGTERM" 1 SIGTERM
e2e_check "wallpaper: nothing said" test ! -s "$LOG"

# The idle screen over the window, ended by the first key or pointer motion
# (along one axis: a move in x or y alone is a move); the second time at half
# size, multisampled and capped, through the scene's own framebuffer.
e2e_swaymsg workspace 9
# The first time with the protocol logged (WAYLAND_DEBUG, lines in brackets):
# each output's process hands back the seat, output and layer shell it bound.
released() {
    local r
    for r in 'wl_seat@[0-9]+\.release\(\)' 'wl_output@[0-9]+\.release\(\)' 'zwlr_layer_shell_v1@[0-9]+\.destroy\(\)'; do
        [ "$(grep -cE "$r" "$LOG")" -ge 2 ] || return 1
    done
}
while IFS=';' read -r input debug options; do
    WAYLAND_DEBUG=$debug start --overlay $options
    e2e_check "overlay $options: the city over the window" e2e_wait_for 60 city_over_window
    e2e_user_exec $input >/dev/null
    ends "overlay $options: $input" 5 0
    e2e_check "overlay $options: nothing said" sh -c "! grep -qv '^\[' '$LOG'"
    [ -z "$debug" ] || e2e_check "overlay $options: both processes released what they bound" released
done <<'ROWS'
wtype x;1;
swaymsg seat - cursor move 0 40;;--scale 0.5 --samples 4 --max-fps 20
ROWS
e2e_user_spawn /dev/null swayidle -w timeout 2 "$NORVEX --overlay"
e2e_check "swayidle starts it after 2 s idle" e2e_wait_for 30 city_over_window
kill -TERM "$E2E_SPAWNED"  # no second idle screen after this one
e2e_user_exec wtype x
e2e_check "swayidle's overlay ends with a key" e2e_wait_for 5 none_left

# The compositor going away under it, while both outputs are drawn.
start --wallpaper
e2e_wait_for 60 e2e_child_count "$E2E_NORVEX" 2 && e2e_wait_for 60 draws
kill -KILL "$E2E_SWAY"
ends "sway killed" 1 1
e2e_check "sway killed: says so" grep -q "lost the connection to the Wayland compositor" "$LOG"

# KDE's compositor: a copy of it, without the file capabilities that cannot
# be had here. It offers no screenshots to clients: its processes draw.
cp /usr/bin/kwin_wayland "$E2E_TMP/bin/" || e2e_fail "no kwin_wayland"
e2e_start_compositor kwin "$E2E_TMP/bin/kwin_wayland" --virtual --no-lockscreen --width 640 --height 480 ||
    { e2e_fail "kwin_wayland did not start: ${E2E_WHY:-no reason given}"; e2e_finish; }
start --wallpaper
e2e_check "KWin: a process for its output" e2e_wait_for 30 e2e_child_count "$E2E_NORVEX" 1
e2e_check "KWin: it draws" e2e_wait_for 30 draws
kill -INT "$E2E_NORVEX"
ends "KWin: SIGINT" 1 SIGINT
e2e_check "KWin: nothing said" test ! -s "$LOG"
e2e_finish
