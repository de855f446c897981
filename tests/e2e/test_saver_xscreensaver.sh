#!/usr/bin/env bash
# norvex run by the real xscreensaver daemon, as a user (the daemon starts no
# hacks for root), with a ~/.xscreensaver that lists only norvex. Activated,
# norvex draws the lit city on the daemon's saver window and makes no window
# of its own; deactivated, it is gone within a second with no abnormal exit
# in the log. Then on a server with two screens: one norvex on each.
set -u
source "${NORVEX_SOURCE:-$(dirname "$0")/../..}/tests/e2e/lib.sh"
NORVEX=$1
command -v xscreensaver >/dev/null || e2e_skip "xscreensaver is not installed"
[ -x /usr/libexec/xscreensaver/xscreensaver-gl-visual ] || e2e_skip "xscreensaver-gl is not installed"
e2e_init
e2e_user_init || { e2e_fail "no user to run the daemon as"; e2e_finish; }
BINARY=$(e2e_user_copy "$NORVEX")

# The daemon's settings: norvex only, no fading, no lock, no splash.
cat >"$E2E_HOME/.xscreensaver" <<EOF
mode:       one
selected:   0
lock:       False
fade:       False
unfade:     False
splash:     False
timeout:    1:00:00
cycle:      1:00:00
programs:   GL: "norvex" $BINARY --root \n
EOF
chown "$E2E_USER:" "$E2E_HOME/.xscreensaver"

# log_windows: the saver windows that the log says norvex was forked on.
log_windows() { sed -n 's/.*forked ".*norvex --root" in pid [0-9]* on window \(0x[0-9a-f]*\).*/\1/p' "$LOG" | sort -u; }
norvex_pids() { pgrep -u "$E2E_USER" -x norvex; }
# no_abnormal_exit: no log line about a norvex process tells of a signal, a crash or an odd exit.
no_abnormal_exit() {
    local pid
    for pid in $(sed -n 's/.*forked ".*norvex --root" in pid \([0-9]*\).*/\1/p' "$LOG"); do
        ! grep -E "pid $pid\b" "$LOG" | grep -qiE 'abnormal|unexpected|signal|crash|core' || return 1
    done
}
count_is() { test "$("$1" | wc -l)" -eq "$2"; }
no_norvex_left() { test -z "$(norvex_pids | while read -r p; do e2e_gone "$p" || echo "$p"; done)"; }

# city_on NAME WINDOW: the window shows the lit city, and it moves.
city_on() {
    e2e_check "$1: window $2 shows the lit city" e2e_wait_for 60 e2e_window_city "$2"
    e2e_check "$1: window $2 changes over a second" e2e_window_changes "$2" 1
}
# drawn_on NAME WINDOW: the window shows the scene's first frames (not black,
# mostly lit), and it moves: with two servers' worth of pixels on a small
# machine, the city itself would take minutes to come into view.
drawn_on() {
    e2e_check "$1: window $2 shows the scene" e2e_wait_for 20 e2e_window_drawn "$2"
    e2e_check "$1: window $2 changes over a second" e2e_window_changes "$2" 1
}

# run_daemon NAME SCREENS CHECK XVFB-SCREEN-ARGS...: one server, one daemon,
# one activation; CHECK (city_on or drawn_on) looks at each saver window.
run_daemon() {
    local name=$1 screens=$2 check=$3 window screen stop
    shift 3
    e2e_start_xvfb "$@" || { e2e_fail "$name: Xvfb did not start"; return; }
    LOG=$E2E_TMP/xscreensaver-$name.log
    e2e_as_user xscreensaver --no-splash --verbose >"$LOG" 2>&1 &
    local daemon=$!
    e2e_track "$daemon"
    e2e_wait_for 10 e2e_as_user xscreensaver-command -time >/dev/null 2>&1 ||
        { e2e_fail "$name: the daemon did not start"; cat "$LOG"; return; }
    e2e_window_clients >"$E2E_TMP/clients.before"
    e2e_as_user xscreensaver-command -activate >/dev/null
    e2e_check "$name: the log says norvex was forked on $screens window(s)" e2e_wait_for 10 count_is log_windows "$screens"
    e2e_check "$name: $screens norvex running" e2e_wait_for 5 count_is norvex_pids "$screens"
    for window in $(log_windows); do
        screen=$(sed -n "s/.* \([0-9]*\): forked .* on window $window.*/\1/p" "$LOG" | head -n 1)
        e2e_log "$name: $(grep -m1 "on window $window" "$LOG")"
        DISPLAY=${DISPLAY%.*}.$screen "$check" "$name" "$window"
    done
    # The daemon's saver windows belong to the daemon; any other new owner is norvex.
    local owners=$E2E_TMP/clients.daemon
    { cat "$E2E_TMP/clients.before"; for window in $(log_windows); do printf '0x%x\n' $((window & ~0x1fffff)); done; } |
        sort -u >"$owners"
    e2e_check "$name: norvex made no window of its own" test -z "$(e2e_new_clients "$owners")"

    stop=$(date +%s%N)
    e2e_as_user xscreensaver-command -deactivate >/dev/null
    e2e_check "$name: deactivated, norvex has exited within a second" e2e_wait_for 1 no_norvex_left
    e2e_log "measure: $name: deactivation to exit $(e2e_ms_since "$stop") ms"
    sleep 0.5  # the daemon's last words
    grep -E 'killing pid|exited|norvex' "$LOG" | grep -v 'forked' | sed 's/^/    log: /'
    e2e_check "$name: no abnormal exit of norvex in the log" no_abnormal_exit
    e2e_check "$name: norvex said nothing" sh -c "! grep -q '^norvex:' '$LOG'"
    e2e_as_user xscreensaver-command -exit >/dev/null 2>&1
    e2e_wait_exit "$daemon" 5 || kill -TERM "$daemon"
    kill -TERM "$E2E_XVFB"
}

run_daemon one-screen 1 city_on 640x480x24
run_daemon two-screens 2 drawn_on 480x360x24 -screen 1 480x360x24
e2e_finish
