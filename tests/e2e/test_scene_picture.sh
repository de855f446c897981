#!/usr/bin/env bash
# The whole demo on screen: after some frames the picture is the lit city with
# its additive glows, and after F1 and back it is the same kind of picture
# again (the new context got the glow texture and the boxes' corners).
set -u
source "${NORVEX_SOURCE:-$(dirname "$0")/../..}/tests/e2e/lib.sh"
NORVEX=$1
e2e_init
e2e_start_desktop

# check_picture NAME FILE: the city, not a black or flat screen, each bound
# checked on its own (e2e_city_shown's bounds).
check_picture() {
    local mean lit levels
    read -r mean lit levels <<<"$(e2e_city_stats "$2")"
    e2e_log "measure: $1 picture: mean grey $mean, $lit% lit, $levels grey levels"
    e2e_check "$1: not black (mean grey $mean >= 4)" test "$mean" -ge 4
    e2e_check "$1: not saturated (mean grey $mean <= 200)" test "$mean" -le 200
    e2e_check "$1: mostly lit ($lit% >= 20%)" test "$lit" -ge 20
    e2e_check "$1: soft glows and shading ($levels grey levels >= 24)" test "$levels" -ge 24
}

e2e_start_norvex "$NORVEX"
id=$(e2e_find_window "$TITLE" 10) || { e2e_fail "no window"; cat "$E2E_TMP/norvex.err"; exit 1; }
# The flight depends on the start-up second: the first frames look down at the
# movers bunched at the origin, and a near glow may fill the screen for seconds.
# So wait for the city, then check that picture bound by bound.
e2e_wait_for 60 e2e_window_shows city "$id"
check_picture "before F1" "$E2E_TMP/shows-$id.png"

e2e_focus "$id"
e2e_hold F1 20 e2e_has_new_window "$TITLE" "$id" || { e2e_fail "F1 built no new window"; exit 1; }
id2=$(e2e_new_window "$TITLE" "$id" 1)
e2e_focus "$id2"
e2e_hold F1 20 e2e_has_new_window "$TITLE" "$id2" || { e2e_fail "second F1 built no new window"; exit 1; }
id3=$(e2e_new_window "$TITLE" "$id2" 1)
e2e_wait_for 30 e2e_window_shows city "$id3"
check_picture "after F1 twice" "$E2E_TMP/shows-$id3.png"

e2e_focus "$id3"
e2e_hold Escape 5 e2e_gone "$E2E_NORVEX"
e2e_wait_exit "$E2E_NORVEX" 2 && e2e_check "Escape: exit code 0" test "$E2E_EXIT" -eq 0 ||
    e2e_fail "still running after Escape"
e2e_check "nothing on stderr" test ! -s "$E2E_TMP/norvex.err"
e2e_finish
