#!/usr/bin/env bash
# norvex run by the real xscreensaver daemon as a user (it starts no hacks for
# root), with a ~/.xscreensaver listing only norvex. Activated, norvex draws the
# lit city on the daemon's saver window and makes no window of its own; cycled,
# it ends by the daemon's SIGTERM, which the log calls normal; then it is gone
# within a second of deactivation, with no abnormal exit in the log.
# On a server with two screens: one norvex on each.
set -u
source "${NORVEX_SOURCE:-$(dirname "$0")/../..}/tests/e2e/lib.sh"
NORVEX=$1
command -v xscreensaver >/dev/null || e2e_skip "xscreensaver is not installed"
[ -x /usr/libexec/xscreensaver/xscreensaver-gl-visual ] || e2e_skip "xscreensaver-gl is not installed"
e2e_init
e2e_user_init || { e2e_fail "no user to run the daemon as"; e2e_finish; }
printf '%s\n' "mode: one" "selected: 0" "lock: False" "fade: False" "unfade: False" "splash: False" \
    "timeout: 1:00:00" "cycle: 1:00:00" "programs: GL: \"norvex\" $(e2e_user_copy "$NORVEX") --root \\n" \
    >"$E2E_HOME/.xscreensaver"
chown "$E2E_USER:" "$E2E_HOME/.xscreensaver"

# The daemon logs "N: forked "... norvex --root" in pid P on window W" per screen N.
forked() { sed -n "s/.* \([0-9]*\): forked \".*norvex --root\" in pid \([0-9]*\) on window \(0x[0-9a-f]*\).*/$1/p" "$LOG"; }
norvex_pids() { pgrep -u "$E2E_USER" -x norvex; }
count_is() { test "$("${@:2}" | wc -l)" -eq "$1"; }  # count_is N command...: it prints N lines
all_gone() { local p; for p in $(forked '\2'); do e2e_gone "$p" || return 1; done; }
# No log line about a norvex process tells of a signal, a crash or an odd exit.
no_abnormal_exit() {
    local p
    for p in $(forked '\2'); do ! grep -E "pid $p\b" "$LOG" | grep -qiE 'abnormal|unexpected|signal|crash|core' || return 1; done
}

# run_daemon NAME SCREENS scene|city XVFB-ARGS...: one server, one daemon, one
# activation; each saver window must show the scene or the lit city.
# Two screens' worth of pixels on a small machine would take minutes to reach
# the city, so there the first frames of the scene will do.
run_daemon() {
    local name=$1 screens=$2 what=$3 daemon line screen window stop first
    shift 3
    e2e_start_xvfb "$@" || { e2e_fail "$name: Xvfb did not start"; return; }
    LOG=$E2E_TMP/xscreensaver-$name.log
    e2e_user_spawn "$LOG" xscreensaver --no-splash --verbose
    daemon=$E2E_SPAWNED
    e2e_wait_for 10 e2e_user_exec xscreensaver-command -time >/dev/null 2>&1 || { e2e_fail "$name: no daemon"; return; }
    e2e_window_clients >"$E2E_TMP/clients.before"
    e2e_user_exec xscreensaver-command -activate >/dev/null
    e2e_check "$name: the log says norvex was forked on $screens window(s)" e2e_wait_for 10 count_is "$screens" forked '\3'
    e2e_check "$name: $screens norvex running" e2e_wait_for 5 count_is "$screens" norvex_pids
    # Cycling stops the running hacks with SIGTERM, once drawing, and starts them again.
    first=$(forked '\2' | head -n 1)
    e2e_wait_for 60 e2e_window_changes "$(forked '\3' | head -n 1)" 0.2
    e2e_user_exec xscreensaver-command -cycle >/dev/null
    e2e_check "$name: cycled, the log says norvex (pid $first) exited normally with SIGTERM" \
        e2e_wait_for 5 grep -qE "pid $first \(.*norvex\) exited normally with SIGTERM" "$LOG"
    e2e_check "$name: cycled, norvex forked again" e2e_wait_for 10 count_is $((2 * screens)) forked '\3'
    for line in $(forked '\1:\3' | tail -n "$screens"); do
        screen=${line%:*} window=${line#*:}
        e2e_log "$name: $(grep -m1 "on window $window" "$LOG")"
        export DISPLAY=${DISPLAY%.*}.$screen  # import finds a window on its own screen only
        # All motion is counted in frames: on a busy machine the flight reaches the city late.
        e2e_check "$name: window $window shows the $what" e2e_wait_for 120 e2e_window_shows "$what" "$window"
        e2e_check "$name: window $window changes over a second" e2e_window_changes "$window" 1
    done
    export DISPLAY=${DISPLAY%.*}
    # The saver windows' owner is the daemon's; any other new owner would be norvex.
    forked '\3' | while read -r window; do printf '0x%x\n' $((window & ~0x1fffff)); done >>"$E2E_TMP/clients.before"
    e2e_check "$name: norvex made no window of its own" test -z "$(e2e_new_clients <(sort -u "$E2E_TMP/clients.before"))"
    stop=$(date +%s%N)
    e2e_user_exec xscreensaver-command -deactivate >/dev/null
    e2e_check "$name: deactivated, norvex has exited within a second" e2e_wait_for 1 all_gone
    e2e_log "measure: $name: deactivation to exit $(e2e_ms_since "$stop") ms"
    sleep 0.5  # the daemon's last words
    e2e_check "$name: no abnormal exit of norvex in the log" no_abnormal_exit
    e2e_check "$name: norvex said nothing" sh -c "! grep -q '^norvex:' '$LOG'"
    e2e_user_exec xscreensaver-command -exit >/dev/null 2>&1
    e2e_wait_exit "$daemon" 5 || kill -TERM "$daemon"
    kill -TERM "$E2E_XVFB"
}

run_daemon one-screen 1 city 640x480x24
run_daemon two-screens 2 scene 480x360x24 -screen 1 480x360x24
e2e_finish
