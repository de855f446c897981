#!/usr/bin/env bash
# No display at all: the messages go to stderr, and the window that cannot be
# created ends the program with exit code 1, within a second.
set -u
source "${NORVEX_SOURCE:-$(dirname "$0")/../..}/tests/e2e/lib.sh"
NORVEX=$1
e2e_init
mkdir -p "$E2E_TMP/runtime" && chmod 700 "$E2E_TMP/runtime"

start=$(date +%s%N)
env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$E2E_TMP/runtime" \
    timeout 10 "$NORVEX" >"$E2E_TMP/out" 2>"$E2E_TMP/err"
code=$?
took=$(e2e_ms_since "$start")
e2e_log "measure: ended after $took ms"
e2e_check "exit code 1 (got $code)" test "$code" -eq 1
e2e_check "within a second" test "$took" -lt 1000
e2e_check "stderr names the window failure" grep -qx "Error: Error Creating OpenGL Window" "$E2E_TMP/err"
e2e_check "stderr carries the mode-switch message, two lines" \
    grep -qzF $'Error: Mode Switch Failed.\nRunning In Windowed Mode.\n' "$E2E_TMP/err"
e2e_check "the mode message comes first" \
    test "$(grep -n '^Error: ' "$E2E_TMP/err" | cut -d: -f3- | tr '\n' '|')" = \
         " Mode Switch Failed.| Error Creating OpenGL Window|"
e2e_finish
