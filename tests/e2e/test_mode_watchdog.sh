#!/usr/bin/env bash
# The desktop's display mode comes back when the demo dies while full screen:
# on an Xorg server with the dummy video driver, SIGKILL, SIGSEGV and SIGABRT
# leave 1280x1024 on screen again within 2 s, and the watchdog that restored it
# is gone within 1 s of the demo. A normal Escape and the F1 toggle leave no
# watchdog behind: the demo reaps it. Skips (77) where that server cannot run.
set -u
SOURCE=${NORVEX_SOURCE:-$(cd "$(dirname "$0")/../.." && pwd)}
source "$SOURCE/tests/e2e/lib.sh"
NORVEX=$1
WATCHDOG=norvex-watchdog
e2e_init
ulimit -c 0  # the crashes asked for here need no core files

e2e_start_dummy_xorg
e2e_check "the desktop runs 1280x1024" test "$(e2e_xrandr_mode)" = 1280x1024

mode_is() { xrandr --current | grep -q "^ *$1 .*\*"; }
# watchdog_of PID: the demo's watchdog child, exactly one.
watchdog_of() {
    local pids
    pids=$(pgrep -P "$1" -x "$WATCHDOG") || return 1
    [ "$(echo "$pids" | wc -l)" -eq 1 ] && echo "$pids"
}
absent() { [ ! -e "/proc/$1" ]; }  # neither running nor an uncollected zombie

# Starts the demo full screen; sets WD to its watchdog's pid and ID to its window.
start_full_screen() {
    e2e_start_norvex "$NORVEX"
    ID=$(e2e_find_window "$TITLE" 10) || { e2e_fail "$1: no window"; return 1; }
    e2e_wait_for 3 mode_is 1024x768 || { e2e_fail "$1: not switched to 1024x768"; return 1; }
    WD=$(watchdog_of "$E2E_NORVEX") || { e2e_fail "$1: no single watchdog while full screen"; return 1; }
    e2e_log "$1: demo $E2E_NORVEX in 1024x768, watchdog $WD"
}

for sig in KILL SEGV ABRT; do
    start_full_screen "SIG$sig" || continue
    start=$(date +%s%N)
    kill -"$sig" "$E2E_NORVEX"
    if e2e_wait_for 2 mode_is 1280x1024; then
        e2e_log "ok: SIG$sig: 1280x1024 back after $(e2e_ms_since "$start") ms"
    else
        e2e_fail "SIG$sig: desktop mode not back within 2 s ($(e2e_xrandr_mode))"
    fi
    e2e_check "SIG$sig: watchdog gone within 1 s of the demo" e2e_wait_for 1 e2e_gone "$WD"
    e2e_wait_exit "$E2E_NORVEX" 3 || e2e_fail "SIG$sig: demo still running"
done

# F1 twice, then Escape: every watchdog is reaped by the demo itself.
if start_full_screen "toggle"; then
    first=$WD
    e2e_focus "$ID"
    e2e_hold F1 5 e2e_has_new_window "$TITLE" "$ID"
    e2e_check "windowed: desktop mode back" e2e_wait_for 3 mode_is 1280x1024
    e2e_check "windowed: the full-screen watchdog reaped" e2e_wait_for 2 absent "$first"
    e2e_check "windowed: no watchdog" e2e_wait_for 2 sh -c "! pgrep -P $E2E_NORVEX -x $WATCHDOG"
    ID=$(e2e_find_window "$TITLE" 5)
    e2e_focus "$ID"
    e2e_hold F1 5 e2e_has_new_window "$TITLE" "$ID"
    e2e_check "full screen again: 1024x768" e2e_wait_for 3 mode_is 1024x768
    second=$(watchdog_of "$E2E_NORVEX") && e2e_log "ok: full screen again: watchdog $second" ||
        e2e_fail "full screen again: no single watchdog"
    ID=$(e2e_find_window "$TITLE" 5)
    e2e_focus "$ID"
    e2e_hold Escape 3 e2e_gone "$E2E_NORVEX"
    if e2e_wait_exit "$E2E_NORVEX" 3; then
        e2e_check "Escape: exit code 0" test "$E2E_EXIT" -eq 0
    else
        e2e_fail "Escape: still running 3 s later"
    fi
    e2e_check "Escape: desktop mode back" e2e_wait_for 3 mode_is 1280x1024
    [ -n "${second:-}" ] && e2e_check "Escape: the watchdog reaped, not left behind" absent "$second"
fi
e2e_finish
