#!/usr/bin/env bash
# Traces frame_probe with apitrace and checks what one frame issues: the passes
# in their order with their state (expected_frame.txt) and the number of calls
# of each kind. Usage: test_frame_trace.sh path/to/frame_probe
set -euo pipefail
probe=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../checks.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

apitrace trace --api egl -o "$work/frame.trace" "$probe" 2 >"$work/trace.log" 2>&1 ||
    { cat "$work/trace.log"; e2e_fail "apitrace could not trace $probe"; e2e_finish; }
apitrace dump --color=never "$work/frame.trace" >"$work/dump.txt"

awk -f "$here/frame_skeleton.awk" "$work/dump.txt" >"$work/skeleton.txt"
e2e_check "the frame's passes as expected_frame.txt has them" diff -u "$here/expected_frame.txt" "$work/skeleton.txt"
# The second frame has the same skeleton: nothing in the frame is conditional.
awk -v want=2 '/eglSwapBuffers/ { ++s; next } s == want' "$work/dump.txt" >"$work/frame2.txt"
awk 'BEGIN { print "0 eglSwapBuffers()" } { print }' "$work/frame2.txt" |
    awk -f "$here/frame_skeleton.awk" >"$work/skeleton2.txt"
e2e_check "frame 2 has frame 1's passes" diff -u "$work/skeleton.txt" "$work/skeleton2.txt"

# Calls per frame: one per object for draws, colours and transforms.
awk '/eglSwapBuffers/ { ++s; next } s == 1 { sub(/^[0-9]+ /, ""); sub(/\(.*/, ""); n[$0]++ }
     END { for (k in n) print k, n[k] }' "$work/dump.txt" | sort >"$work/counts.txt"
while read -r call expected; do
    got=$(awk -v c="$call" '$1 == c { print $2 }' "$work/counts.txt")
    e2e_check "$call issued $expected times in a frame (got ${got:-0})" test "${got:-0}" = "$expected"
done <<'COUNTS'
glDrawElements 2900
glDrawArrays 280
glClear 3
glLightfv 12
glLightf 4
glMaterialfv 6
glColor3f 2900
glColor4ub 280
glTranslatef 780
glScalef 780
glPushMatrix 3381
glPopMatrix 3381
glFlush 1
COUNTS
e2e_finish
