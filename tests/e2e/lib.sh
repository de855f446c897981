# Helpers for end-to-end tests of norvex under a real X server: start and stop
# servers, a window manager and the demo by pid, find windows, read geometry
# and CPU time, take screenshots, wait with timeouts, run programs as a user
# (the checks are tests/checks.sh's). Source it; call e2e_init first: it
# installs the cleanup trap.

source "$(dirname "${BASH_SOURCE[0]}")/../checks.sh"

E2E_PIDS=()        # everything started here, stopped in reverse order on exit
E2E_TMP=""
E2E_WATCHER=""
E2E_USER=""       # set by e2e_user_init
TITLE="norvex - brellik 2005"  # the demo's window title

e2e_init() {
    E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/norvex-e2e.XXXXXX")
    trap e2e_cleanup EXIT
    trap 'exit 130' INT TERM
    # A script killed outright (a test runner's timeout) runs no trap: this
    # watcher then stops what it started.
    (
        trap '' INT TERM
        while kill -0 $$ 2>/dev/null; do sleep 1; done
        [ -f "$E2E_TMP/pids" ] && xargs -r kill -KILL <"$E2E_TMP/pids"
        [ -f "$E2E_TMP/user" ] && e2e_remove_user "$(cat "$E2E_TMP/user")"
        rm -rf "$E2E_TMP"
    ) >/dev/null 2>&1 &
    E2E_WATCHER=$!
    disown "$E2E_WATCHER"
}

# e2e_track PID: stop this process when the test ends.
e2e_track() {
    E2E_PIDS+=("$1")
    echo "$1" >>"$E2E_TMP/pids"
}

e2e_cleanup() {
    local i pid
    [ -n "$E2E_WATCHER" ] && kill -KILL "$E2E_WATCHER" 2>/dev/null
    for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
        pid=${E2E_PIDS[i]}
        kill -0 "$pid" 2>/dev/null || continue
        kill -TERM "$pid" 2>/dev/null
        for _ in $(seq 20); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    [ -f "$E2E_TMP/user" ] && e2e_remove_user "$(cat "$E2E_TMP/user")"
    [ -n "$E2E_TMP" ] && rm -rf "$E2E_TMP"
}

# e2e_wait_for SECONDS command...: polls every 50 ms until the command succeeds.
e2e_wait_for() {
    local deadline=$(( $(date +%s%N) + ${1%.*} * 1000000000 )); shift
    until "$@"; do
        [ "$(date +%s%N)" -ge "$deadline" ] && return 1
        sleep 0.05
    done
}

# e2e_start_xvfb WxHxD [XVFB ARGS...]: an Xvfb on a display number it picks
# itself; sets DISPLAY, and E2E_XVFB to the server's pid.
e2e_start_xvfb() {
    local fifo=$E2E_TMP/displayfd.$RANDOM
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp -noreset "${@:2}" 3>"$fifo" >"$E2E_TMP/xvfb.log" 2>&1 &
    E2E_XVFB=$!
    e2e_track $!
    local number
    read -r -t 10 number <"$fifo" || { rm -f "$fifo"; echo "Xvfb did not start" >&2; return 1; }
    rm -f "$fifo"
    export DISPLAY=":$number"
    e2e_wait_for 10 xdpyinfo >/dev/null 2>&1 && xset r off
}

# e2e_start_xorg CONFIG: an Xorg server with this configuration file; sets DISPLAY.
# Returns 1, with the server's last words in E2E_WHY, when it cannot run here.
e2e_start_xorg() {
    local fifo=$E2E_TMP/displayfd.$RANDOM number
    mkfifo "$fifo"
    Xorg -displayfd 3 -config "$1" -logfile "$E2E_TMP/xorg.log" -nolisten tcp -noreset \
        3>"$fifo" >"$E2E_TMP/xorg.out" 2>&1 &
    e2e_track $!
    if ! read -r -t 15 number <"$fifo"; then
        rm -f "$fifo"
        E2E_WHY=$(grep -h -E '\(EE\)|Fatal' "$E2E_TMP/xorg.out" "$E2E_TMP/xorg.log" 2>/dev/null | head -n 3)
        return 1
    fi
    rm -f "$fifo"
    export DISPLAY=":$number"
    e2e_wait_for 10 xdpyinfo >/dev/null 2>&1 && xset r off
}

# e2e_start_desktop [SCREEN]: Xvfb (1024x768x24 unless told) and openbox on it;
# a test that cannot have them cannot run, and fails.
e2e_start_desktop() {
    e2e_start_xvfb "${1:-1024x768x24}" || { echo "Xvfb did not start"; exit 1; }
    e2e_start_openbox || { echo "openbox did not start"; exit 1; }
}

# e2e_start_dummy_xorg: the Xorg server with the dummy video driver and its
# several modes, then a window manager; skips (77) where that server cannot run.
e2e_start_dummy_xorg() {
    command -v Xorg >/dev/null || e2e_skip "no Xorg server installed (xserver-xorg-core)"
    ls /usr/lib/xorg/modules/drivers/dummy_drv.so >/dev/null 2>&1 ||
        e2e_skip "no dummy video driver installed (xserver-xorg-video-dummy)"
    # Xorg takes a configuration file from an arbitrary path only when run as root.
    [ "$(id -u)" -eq 0 ] || e2e_skip "Xorg refuses a -config path outside /etc/X11 when not run as root"
    e2e_start_xorg "$(dirname "${BASH_SOURCE[0]}")/xorg-dummy.conf" ||
        e2e_skip "the dummy Xorg server did not start here: ${E2E_WHY:-no reason given}"
    e2e_start_openbox || { echo "openbox did not start"; exit 1; }
}

# e2e_start_openbox: a window manager, so that minimise and close work as a user does them.
e2e_start_openbox() {
    openbox --sm-disable >"$E2E_TMP/openbox.log" 2>&1 &
    e2e_track $!
    e2e_wait_for 10 wmctrl -m >/dev/null 2>&1
}

# Programs whose end a test judges are children of this waiter: a shell's
# wait reads 143 both for a death by SIGTERM and for exit(143), which a
# daemon's waitpid(2) tells apart. It writes the program's pid to DIR/w<its
# own pid>, then how the program ended to DIR/<pid>: the exit code, or the
# name of the signal that ended it (SIGTERM). Usage: python3 -c "$E2E_WAITER" DIR command...
E2E_WAITER='import os, signal, sys
pid = os.fork()
if pid == 0:  # what Python ignores, the program must not inherit ignored
    for number in (signal.SIGPIPE, signal.SIGXFSZ): signal.signal(number, signal.SIG_DFL)
    os.execvp(sys.argv[2], sys.argv[2:])
def record(name, text):
    with open(name + ".new", "w") as f: f.write(text + "\n")
    os.rename(name + ".new", name)
record("%s/w%d" % (sys.argv[1], os.getpid()), str(pid))
status = os.waitpid(pid, 0)[1]
record("%s/%d" % (sys.argv[1], pid),
       signal.Signals(os.WTERMSIG(status)).name if os.WIFSIGNALED(status) else str(os.WEXITSTATUS(status)))'

# e2e_spawn OUT ERR command...: starts the command in the background under the
# waiter, its stdout in OUT and its stderr in ERR (which may be OUT); sets
# E2E_SPAWNED to the command's own pid; both are stopped when the test ends.
e2e_spawn() {
    local out=$1 err=$2 ends=$E2E_TMP/ends waiter; shift 2
    mkdir -p "$ends"
    if [ "$err" = "$out" ]; then python3 -c "$E2E_WAITER" "$ends" "$@" >"$out" 2>&1 &
    else python3 -c "$E2E_WAITER" "$ends" "$@" >"$out" 2>"$err" & fi
    waiter=$!
    e2e_track "$waiter"
    e2e_wait_for 10 test -e "$ends/w$waiter" || { echo "the waiter did not start $1" >&2; return 1; }
    read -r E2E_SPAWNED <"$ends/w$waiter"
    e2e_track "$E2E_SPAWNED"
}

# e2e_start_norvex BINARY [ARGS...]: starts the demo; sets E2E_NORVEX (pid); stderr in $E2E_TMP/norvex.err.
# A script's background job inherits SIGINT ignored; the demo gets it back, as
# when started from a terminal.
e2e_start_norvex() {
    e2e_spawn "$E2E_TMP/norvex.out" "$E2E_TMP/norvex.err" env --default-signal=INT,TERM "$@"
    E2E_NORVEX=$E2E_SPAWNED
}

# e2e_wait_exit PID SECONDS: waits for the process to end and sets E2E_EXIT to
# its exit code, or to the signal's name (SIGTERM) when one ended it; returns 1
# if it is still running by then. That is told for what e2e_spawn started;
# for this shell's other children, a signal N reads as 128 + N. Call it
# directly, not in $(...): only this shell can collect its child's exit code.
e2e_wait_exit() {
    E2E_EXIT=""
    if grep -qsx "$1" "$E2E_TMP"/ends/w*; then
        e2e_wait_for "$2" test -e "$E2E_TMP/ends/$1" || return 1
        read -r E2E_EXIT <"$E2E_TMP/ends/$1"
        return 0
    fi
    e2e_wait_for "$2" e2e_gone "$1" || return 1
    E2E_EXIT=0
    wait "$1" 2>/dev/null || E2E_EXIT=$?
}
# Gone, or a zombie waiting to be collected.
e2e_gone() { ! kill -0 "$1" 2>/dev/null || [ "$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null)" = Z ]; }

# e2e_find_window TITLE SECONDS: prints the id of the visible window with exactly this title.
e2e_find_window() {
    local deadline=$(( $(date +%s%N) + $2 * 1000000000 )) ids
    while :; do
        ids=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null)
        [ -n "$ids" ] && { echo "$ids" | tail -n 1; return 0; }
        [ "$(date +%s%N)" -ge "$deadline" ] && return 1
        sleep 0.05
    done
}

# e2e_new_window TITLE OLD_ID SECONDS: waits for a visible window with this title other than OLD_ID.
e2e_new_window() {
    local deadline=$(( $(date +%s%N) + $3 * 1000000000 )) id
    while :; do
        for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
            [ "$id" != "$2" ] && { echo "$id"; return 0; }
        done
        [ "$(date +%s%N)" -ge "$deadline" ] && return 1
        sleep 0.05
    done
}

# e2e_geometry ID: prints "X Y WIDTH HEIGHT" of the window's client area on the screen.
# With no ID, xwininfo and xprop would wait for a click that never comes: fail instead.
e2e_geometry() {
    [ -n "$1" ] || return 1
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
                             /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {print x, y, w, h}'
}

# e2e_frame_geometry ID: the same for the outer frame the window manager put around it.
e2e_frame_geometry() {
    local id=$1 parent _
    [ -n "$id" ] || return 1
    for _ in 1 2 3 4 5 6 7 8; do
        parent=$(xwininfo -children -id "$id" | awk '/Parent window id:/ {print $4; exit}')
        [ -n "$parent" ] || return 1
        xwininfo -id "$parent" | grep -q '(the root window)' && break
        id=$parent
    done
    e2e_geometry "$id"
}

# e2e_cpu_ticks PID: user + system CPU time of the process so far, in clock ticks.
e2e_cpu_ticks() {
    awk '{print $14 + $15}' "/proc/$1/stat"
}

# e2e_cpu_over PID SECONDS: CPU ticks the process used over that many seconds.
e2e_cpu_over() {
    local before after
    before=$(e2e_cpu_ticks "$1") || return 1
    sleep "$2"
    after=$(e2e_cpu_ticks "$1") || return 1
    echo $((after - before))
}

# e2e_screenshot FILE: the whole screen as an image.
e2e_screenshot() { e2e_import root "$1"; }
# e2e_import ID FILE: a window's picture. Given no ID, or one that has just
# gone, import waits for a click on a window instead: give it 10 s.
e2e_import() { [ -n "$1" ] && timeout 10 import -window "$1" "$2"; }

# e2e_focus ID: gives the window the keyboard, so that xdotool's keys reach it
# (within 10 s each way: --sync waits for ever on a window that has gone).
e2e_focus() { timeout 10 xdotool windowactivate --sync "$1" >/dev/null 2>&1 || timeout 10 xdotool windowfocus --sync "$1"; }

# e2e_error_box SECONDS: prints the id of a top-level window named "Error" (a message box).
e2e_error_box() {
    local deadline=$(( $(date +%s%N) + $1 * 1000000000 )) id
    while :; do
        id=$(xwininfo -root -tree | awk '/"Error"/ {print $1; exit}')
        [ -n "$id" ] && { echo "$id"; return 0; }
        [ "$(date +%s%N)" -ge "$deadline" ] && return 1
        sleep 0.05
    done
}

# e2e_hold KEY SECONDS command...: holds a key down until the command succeeds
# (or SECONDS pass), as a person holds a key until something happens. The demo
# reads its keys once a frame, and its first frames take hundreds of ms while
# the GL driver compiles: a key released within one frame is never seen.
# Servers started here have auto-repeat off, so a held key is one press.
e2e_hold() {
    local key=$1 seconds=$2 rc=0; shift 2
    xdotool keydown "$key" || return 1
    e2e_wait_for "$seconds" "$@" || rc=1
    xdotool keyup "$key"
    return $rc
}

# e2e_has_new_window TITLE OLD_ID: a visible window with this title other than OLD_ID exists.
e2e_has_new_window() { e2e_new_window "$1" "$2" 0 >/dev/null; }

# e2e_fullscreen ID: succeeds when the window manager shows the window full screen.
e2e_fullscreen() { [ -n "$1" ] && xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN; }

# e2e_text_bands ID: the number of horizontal bands with light pixels in a
# window's picture (lines of text, a button): a message box's lines, counted.
e2e_text_bands() {
    local file=$E2E_TMP/bands.$RANDOM.png
    e2e_import "$1" "$file" || return 1
    convert "$file" -colorspace gray -threshold 50% -scale "1x$(identify -format %h "$file")!" \
        -depth 8 txt:- | awk -F'[(),]' 'NR > 1 { dark = $0 !~ /gray\(0\)/
                                                 if (dark && !inside) bands++; inside = dark }
                                          END { print bands + 0 }'
}

# e2e_xrandr_mode: the current screen size as xrandr reports it, e.g. 1280x1024.
e2e_xrandr_mode() { xrandr --current | awk '/\*/ {print $1; exit}'; }

# e2e_ms_since NANOSECONDS: milliseconds from that date +%s%N stamp until now.
e2e_ms_since() { echo $(( ($(date +%s%N) - $1) / 1000000 )); }
# e2e_bands_are ID N: the window shows N bands (retry with e2e_wait_for while it paints).
e2e_bands_are() { test "$(e2e_text_bands "$1")" = "$2"; }

# e2e_start_norvex_session BINARY [ARGS...]: e2e_start_norvex, in a session of its
# own, so that whatever the demo starts can be found afterwards with e2e_session_left.
e2e_start_norvex_session() {
    e2e_spawn "$E2E_TMP/norvex.out" "$E2E_TMP/norvex.err" \
        setsid env ${E2E_NORVEX_PRELOAD:+LD_PRELOAD=$E2E_NORVEX_PRELOAD} --default-signal=INT,TERM "$@"
    E2E_NORVEX=$E2E_SPAWNED
}
# e2e_session_left SID: prints the processes still alive in that session.
e2e_session_left() { ps -o pid=,stat=,args= -s "$1" 2>/dev/null | awk '$2 !~ /^Z/'; }
# e2e_nothing_left SID: succeeds once that session has no live process (its
# last ones may take a moment to go: up to 3 s).
e2e_nothing_left() { e2e_wait_for 3 e2e_session_empty "$1"; }
e2e_session_empty() { test -z "$(e2e_session_left "$1")"; }

# e2e_rss_kb PID: the process's resident memory (VmRSS), in kB.
e2e_rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }

# e2e_picture_stats FILE: "MEAN LEVELS" of the picture in grey: mean brightness
# 0..255 and the number of distinct grey levels it uses.
e2e_picture_stats() {
    convert "$1" -colorspace gray -depth 8 -format '%[fx:int(mean*255+0.5)] %k\n' info:
}

# e2e_sanitizer_env BINARY: for a sanitizer build of the demo, sets what its
# reports need: our leak suppressions, and the GL driver preloaded behind the
# sanitizer runtime (which must come first). Mesa unloads the driver when the
# display closes, before the leak check at exit; kept mapped, its one-time
# allocations carry its name for the suppressions. Nothing for other builds.
e2e_sanitizer_env() {
    local runtime
    runtime=$(ldd "$1" 2>/dev/null | awk '/libasan/ {print $3; exit}')
    [ -n "$runtime" ] || return 0
    export E2E_NORVEX_PRELOAD="$runtime:/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so"
    export LSAN_OPTIONS="suppressions=${NORVEX_SOURCE:-$(dirname "${BASH_SOURCE[0]}")/../..}/tests/e2e/lsan-norvex.supp:print_suppressions=0"
    export ASAN_OPTIONS="alloc_dealloc_mismatch=0:detect_leaks=1"
}

# e2e_user_init: a user for programs that refuse to run as root (screen-saver
# daemons, compositors). As root, a throwaway user whose home is $E2E_TMP/home,
# removed with everything it started when the test ends; otherwise the
# current user with that home. Sets E2E_USER, E2E_HOME and E2E_AS_USER (the
# words that run a command as that user: e2e_user_exec, e2e_user_spawn).
e2e_user_init() {
    E2E_HOME=$E2E_TMP/home
    E2E_AS_USER=(env -C "$E2E_HOME" HOME="$E2E_HOME")
    if [ "$(id -u)" -ne 0 ]; then
        E2E_USER=$(id -un)
        mkdir -p "$E2E_HOME"
        return 0
    fi
    E2E_USER=norvex-e2e-$$
    E2E_AS_USER=(setpriv --reuid="$E2E_USER" --regid="$E2E_USER" --init-groups "${E2E_AS_USER[@]}"
                 USER="$E2E_USER" LOGNAME="$E2E_USER")
    useradd -M -d "$E2E_HOME" -s /bin/sh "$E2E_USER" || return 1
    echo "$E2E_USER" >"$E2E_TMP/user"
    chmod 755 "$E2E_TMP"
    mkdir -p "$E2E_HOME" && chown "$E2E_USER:" "$E2E_HOME"
}
e2e_remove_user() {
    pkill -KILL -u "$1" 2>/dev/null
    userdel -f "$1" 2>/dev/null
}

# e2e_user_exec command...: runs the command as E2E_USER, in its home (the
# test's folder may be closed to it: a terminal there cannot start its shell),
# with HOME, USER and LOGNAME its own and the rest of the environment kept;
# its exit code is the command's.
e2e_user_exec() { "${E2E_AS_USER[@]}" "$@"; }
# e2e_user_spawn LOG command...: the same in the background (e2e_spawn), its
# output in LOG; E2E_SPAWNED is the command's own pid (every step execs the next).
e2e_user_spawn() { e2e_spawn "$1" "$1" "${E2E_AS_USER[@]}" "${@:2}"; }

# e2e_user_copy FILE: prints the path of a copy of FILE that E2E_USER can run
# (a build tree may lie in a folder that only its owner can enter).
e2e_user_copy() {
    mkdir -p "$E2E_TMP/bin" && chmod 755 "$E2E_TMP/bin" &&
        install -m 755 "$1" "$E2E_TMP/bin/" && echo "$E2E_TMP/bin/$(basename "$1")"
}

# e2e_city_stats FILE: "MEAN LIT LEVELS" of a picture: mean grey 0..255, share
# of pixels brighter than the darkest ambient term (in %), distinct grey levels.
e2e_city_stats() {
    convert "$1" -colorspace gray -format '%[fx:int(255*mean)] ' info:
    convert "$1" -colorspace gray -threshold 3% -format '%[fx:int(100*mean)] ' info:
    convert "$1" -colorspace gray -depth 8 -format '%k\n' info:
}
# e2e_window_shows scene|city ID: a picture of the window ($E2E_TMP/shows-ID.png)
# shows the scene (not black, mostly lit), or the lit city besides (soft glows
# and shading). The bounds are loose: the camera's path depends on the
# start-up second. Poll it with e2e_wait_for.
e2e_window_shows() {
    local file=$E2E_TMP/shows-$2.png
    e2e_import "$2" "$file" 2>/dev/null || return 1
    e2e_picture_shows "$1" "$file"
}
# e2e_picture_shows scene|city FILE: the same for a picture already taken.
e2e_picture_shows() {
    local mean lit levels
    read -r mean lit levels <<<"$(e2e_city_stats "$2")"
    [ "$mean" -ge 4 ] && [ "$mean" -le 200 ] && [ "$lit" -ge 20 ] && { [ "$1" = scene ] || [ "$levels" -ge 24 ]; }
}
# e2e_window_changes ID SECONDS: two pictures of the window that far apart
# differ in at least 1 % of their pixels.
e2e_window_changes() {
    local a=$E2E_TMP/change-a.png b=$E2E_TMP/change-b.png
    e2e_import "$1" "$a" && sleep "$2" && e2e_import "$1" "$b" && e2e_pictures_differ "$a" "$b"
}
# e2e_fps_in FILE: the picture shows the frame-rate line's "F" where the font
# puts it, 8 pixels in from the lower-left corner: its stem white, 14 high, its
# shadow black below it. At twice the size (a buffer scaled up) it fails.
e2e_fps_in() {
    local top=$(( $(identify -format %h "$1") - 8 - 14 ))
    [ "$(convert "$1" -crop "2x14+8+$top" +repage -colorspace gray -format '%[fx:minima]' info:)" = 1 ] &&
        [ "$(convert "$1" -crop "2x2+10+$((top + 14))" +repage -colorspace gray -format '%[fx:maxima]' info:)" = 0 ]
}
# e2e_pictures_differ A B: the pictures differ in at least 1 % of their pixels.
# compare writes a count of a million or more as 1.17362e+06: awk reads it whole.
e2e_pictures_differ() {
    awk -v differ="$(compare -metric AE "$1" "$2" null: 2>&1)" -v least="$(identify -format '%[fx:int(w*h/100)]' "$1")" \
        'BEGIN { exit !(differ + 0 >= least + 0 && least + 0 > 0) }'
}

# e2e_drawing ID: waits (up to 20 s) for the window's picture to change: the
# demo is past its first frames, which take seconds while the driver compiles,
# and a request to end it is read within a frame.
e2e_drawing() { e2e_wait_for 20 e2e_window_changes "$1" 0.2; }

# e2e_window_clients: one line per X client that owns a window on any screen
# of the display, the base of its resource IDs. Our servers keep the default of
# 256 clients, which leaves each client the low 21 bits of its IDs.
e2e_window_clients() {
    local screens screen id
    screens=$(xdpyinfo | awk '/^number of screens:/ {print $4}')
    for screen in $(seq 0 $((screens - 1))); do
        for id in $(xwininfo -display "${DISPLAY%.*}.$screen" -root -tree | awk '$1 ~ /^0x/ {print $1}'); do
            printf '0x%x\n' $((id & ~0x1fffff))
        done
    done | sort -u
}
# e2e_new_clients BEFORE_FILE: the clients owning windows now that did not
# before (BEFORE_FILE holds e2e_window_clients from then).
e2e_new_clients() { e2e_window_clients | comm -13 "$1" -; }

# e2e_tap KEY: key-down and key-up sent back to back, a few ms apart.
e2e_tap() { xdotool keydown "$1" keyup "$1"; }
# e2e_window_ids TITLE: the ids of the visible windows with exactly this title, one a line.
e2e_window_ids() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | sort; }

# e2e_start_weston: weston nested in the current X server (XTEST keys sent to
# its window reach its clients), with XWayland, in a private XDG_RUNTIME_DIR.
# Exports WAYLAND_DISPLAY and XDG_RUNTIME_DIR; sets E2E_WESTON_WINDOW (its window
# here) and E2E_XWAYLAND (XWayland's DISPLAY); 1 with E2E_WHY when it cannot start.
e2e_start_weston() {
    export XDG_RUNTIME_DIR=$E2E_TMP/runtime WAYLAND_DISPLAY=norvex-e2e-$$
    mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
    weston --backend=x11-backend.so --width=1024 --height=768 --use-pixman --xwayland --idle-time=0 \
        --socket="$WAYLAND_DISPLAY" --log="$E2E_TMP/weston.log" >"$E2E_TMP/weston.out" 2>&1 &
    e2e_track $!
    e2e_wait_for 15 grep -q "xserver listening on display" "$E2E_TMP/weston.log" 2>/dev/null ||
        { E2E_WHY=$(tail -qn 2 "$E2E_TMP/weston.out" "$E2E_TMP/weston.log" 2>/dev/null); return 1; }
    E2E_WESTON_WINDOW=$(xwininfo -root -tree | awk '/"Weston Compositor/ {print $1; exit}')
    E2E_XWAYLAND=$(grep -o 'xserver listening on display :[0-9]*' "$E2E_TMP/weston.log" | grep -o ':[0-9]*$')
}
# e2e_expect_exit WHAT SECONDS END: the demo ends within SECONDS with exit code
# END, or by the signal END names (SIGTERM).
e2e_expect_exit() {
    e2e_wait_exit "$E2E_NORVEX" "$2" || { e2e_fail "$1: still running $2 s later"; return; }
    e2e_check "$1: ends with $3 (got $E2E_EXIT)" test "$E2E_EXIT" = "$3"
}

# Frames counted from the swaps by Mesa's own counter: `env $(e2e_hud_env DIR)`
# in front of a program makes it write a frame rate a second to DIR/fps;
# e2e_hud_fps DIR WARMUP SPAN prints the mean over SPAN seconds after the
# first WARMUP (the driver compiles then), once there; e2e_hud_frames DIR, the frames so far.
e2e_hud_env() { mkdir -p "$1" && echo "GALLIUM_HUD=fps GALLIUM_HUD_PERIOD=1 GALLIUM_HUD_DUMP_DIR=$1"; }
e2e_hud_frames() { awk '{ s += $1 } END { printf "%d\n", s }' "$1/fps" 2>/dev/null || echo 0; }
e2e_hud_fps() {
    e2e_wait_for $((($2 + $3) * 3 + 30)) sh -c "[ \"\$(cat '$1/fps' 2>/dev/null | wc -l)\" -ge $(($2 + $3)) ]" &&
        sed -n "$(($2 + 1)),$(($2 + $3))p" "$1/fps" | awk '{ s += $1 } END { printf "%.1f\n", s / NR }'
}
