#!/usr/bin/env bash
# Traces frame_probe with apitrace and checks what one frame issues: the passes
# in their order with their state (expected_frame.txt) and the number of calls
# of each kind. Usage: test_frame_trace.sh path/to/frame_probe
set -euo pipefail
probe=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

apitrace trace --api egl -o "$work/frame.trace" "$probe" 2 >"$work/trace.log" 2>&1 ||
    { cat "$work/trace.log"; exit 1; }
apitrace dump --color=never "$work/frame.trace" >"$work/dump.txt"

awk -f "$here/frame_skeleton.awk" "$work/dump.txt" >"$work/skeleton.txt"
if ! diff -u "$here/expected_frame.txt" "$work/skeleton.txt"; then
    echo "FAIL: the frame's passes differ from expected_frame.txt"
    exit 1
fi
# The second frame has the same skeleton: nothing in the frame is conditional.
awk -v want=2 '/eglSwapBuffers/ { ++s; next } s == want' "$work/dump.txt" >"$work/frame2.txt"
awk 'BEGIN { print "0 eglSwapBuffers()" } { print }' "$work/frame2.txt" |
    awk -f "$here/frame_skeleton.awk" >"$work/skeleton2.txt"
diff -u "$work/skeleton.txt" "$work/skeleton2.txt" || { echo "FAIL: frame 2 differs from frame 1"; exit 1; }

# Calls per frame: one per object for draws, colours and transforms.
awk '/eglSwapBuffers/ { ++s; next } s == 1 { sub(/^[0-9]+ /, ""); sub(/\(.*/, ""); n[$0]++ }
     END { for (k in n) print k, n[k] }' "$work/dump.txt" | sort >"$work/counts.txt"
status=0
while read -r call expected; do
    got=$(awk -v c="$call" '$1 == c { print $2 }' "$work/counts.txt")
    if [ "${got:-0}" != "$expected" ]; then
        echo "FAIL: $call issued ${got:-0} times in a frame, expected $expected"
        status=1
    fi
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
[ $status -eq 0 ] && echo "PASS: one frame issues its passes in order with the expected calls"
exit $status
