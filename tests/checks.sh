# Named checks for the test scripts (end to end, install, trace): each logs
# "ok: WHAT" or "FAIL: WHAT" and counts failures; e2e_finish ends the script
# with PASS and 0, or the count and 1. Source it (tests/e2e/lib.sh does).
E2E_FAILED=0       # checks failed so far

e2e_log() { echo "[$(date +%T.%3N)] $*"; }
e2e_fail() { echo "FAIL: $*" >&2; E2E_FAILED=$((E2E_FAILED + 1)); }
e2e_check() {  # e2e_check "what" command...: runs the command, records a failure when it fails
    local what=$1; shift
    if "$@"; then e2e_log "ok: $what"; else e2e_fail "$what"; fi
}
e2e_finish() {
    [ "$E2E_FAILED" -eq 0 ] && { e2e_log "PASS"; exit 0; }
    e2e_log "$E2E_FAILED failed"
    exit 1
}
e2e_skip() { echo "SKIP: $*"; exit 77; }
