# Helpers for end-to-end tests of norvex's Wayland roles under a real sway:
# sway as E2E_USER (it refuses root) in a private XDG_RUNTIME_DIR, on its X11
# backend in an Xvfb of our own, where outputs are windows: `create_output`
# adds one, closing its window removes it, and the seat has a keyboard and a
# pointer as on a desktop. Programs run as that user (lib.sh's e2e_user_exec),
# pictures of one output with grim. Source it after lib.sh; call e2e_init and
# e2e_user_init first.

# e2e_start_compositor NAME command...: a compositor as E2E_USER with a
# runtime folder of its own, $E2E_TMP/NAME (0700), its output in
# $E2E_TMP/NAME.log; waits for its socket and exports XDG_RUNTIME_DIR and WAYLAND_DISPLAY.
# Sets E2E_COMPOSITOR (pid); 1, with its last words in E2E_WHY, when it does not come.
e2e_start_compositor() {
    local runtime=$E2E_TMP/$1 log=$E2E_TMP/$1.log; shift
    mkdir -p "$runtime" "$E2E_TMP/shots" && chmod 700 "$runtime" && chmod 777 "$E2E_TMP/shots" &&
        chown "$E2E_USER:" "$runtime" || return 1
    e2e_user_spawn "$log" env XDG_RUNTIME_DIR="$runtime" "$@"
    E2E_COMPOSITOR=$E2E_SPAWNED
    e2e_wait_for 20 e2e_socket_in "$runtime" || { E2E_WHY=$(tail -n 2 "$log"); return 1; }
    export XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=$E2E_SOCKET
}
# e2e_socket_in FOLDER: sets E2E_SOCKET to the Wayland socket there (not sway's own).
e2e_socket_in() {
    local path
    for path in "$1"/*; do
        [ -S "$path" ] && [ "${path##*/}" != sway.sock ] && { E2E_SOCKET=${path##*/}; return 0; }
    done
    return 1
}

# e2e_start_sway: Xvfb and openbox (which closes output windows as a user
# would), then sway on them; exports SWAYSOCK too. E2E_SWAY is its pid.
e2e_start_sway() {
    e2e_start_desktop 2048x1536x24
    printf 'xwayland disable\n' >"$E2E_TMP/sway.conf"
    export SWAYSOCK=$E2E_TMP/sway/sway.sock
    e2e_start_compositor sway env -u WAYLAND_DISPLAY WLR_BACKENDS=x11 WLR_RENDERER=pixman \
        sway -c "$E2E_TMP/sway.conf" && e2e_wait_for 10 e2e_swaymsg -t get_outputs || return 1
    E2E_SWAY=$E2E_COMPOSITOR
}
e2e_swaymsg() { e2e_user_exec swaymsg "$@" >/dev/null; }

# e2e_add_output WxH SCALE: a new output of that size and scale; sets
# E2E_OUTPUT (its name) and E2E_OUTPUT_WINDOW (its X window).
e2e_add_output() {
    local before
    before=$(wmctrl -l | cut -d' ' -f1)
    e2e_swaymsg create_output || return 1
    E2E_OUTPUT=$(e2e_user_exec swaymsg -t get_outputs | awk -F'"' '/"name": "X11-/ {name = $4} END {print name}')
    e2e_wait_for 5 e2e_window_after "$before" || return 1  # the window manager lists it a moment later
    e2e_swaymsg output "$E2E_OUTPUT" mode "$1" scale "$2"
}
# e2e_window_after LIST: sets E2E_OUTPUT_WINDOW to a window wmctrl lists that LIST (its ids) lacks.
e2e_window_after() {
    E2E_OUTPUT_WINDOW=$(wmctrl -l | cut -d' ' -f1 | grep -vxF "$1" | head -n 1)
    [ -n "$E2E_OUTPUT_WINDOW" ]
}

# e2e_view_shown PID: sway shows a window of that process, mapped and visible.
e2e_view_shown() {
    e2e_user_exec swaymsg -t get_tree | python3 -c '
import json, sys
def views(node):
    yield node
    for child in node.get("nodes", []) + node.get("floating_nodes", []): yield from views(child)
sys.exit(not any(v.get("pid") == int(sys.argv[1]) and v.get("visible") for v in views(json.load(sys.stdin))))' "$1"
}

# e2e_grim OUTPUT FILE: a picture of one output at its pixel size.
e2e_grim() { e2e_user_exec grim -o "$1" "$2"; }
# e2e_output_shows scene|city OUTPUT: as e2e_window_shows, for an output.
e2e_output_shows() {
    local file=$E2E_TMP/shots/$2.png
    e2e_grim "$2" "$file" && e2e_picture_shows "$1" "$file"
}
# e2e_output_changes OUTPUT SECONDS: two pictures that far apart differ (1 % of pixels).
e2e_output_changes() {
    local a=$E2E_TMP/shots/$1-a.png b=$E2E_TMP/shots/$1-b.png
    e2e_grim "$1" "$a" && sleep "$2" && e2e_grim "$1" "$b" && e2e_pictures_differ "$a" "$b"
}
# e2e_output_size OUTPUT: "WIDTHxHEIGHT" of its picture.
e2e_output_size() { e2e_grim "$1" "$E2E_TMP/shots/size.png" && identify -format '%wx%h' "$E2E_TMP/shots/size.png"; }

# e2e_children PID: the pids of the process's children, zombies included, one a line.
e2e_children() { ps -o pid= --ppid "$1" | tr -d ' '; }
# e2e_child_count PID N: the process has exactly N children.
e2e_child_count() { test "$(e2e_children "$1" | wc -l)" -eq "$2"; }
# e2e_no_zombie PID: none of its children is a zombie.
e2e_no_zombie() { ! ps -o stat= --ppid "$1" | grep -q Z; }
