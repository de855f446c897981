#!/usr/bin/env bash
# The web build in headless Chromium against the native picture: norvex-capture
# draws frames 1 to 600 (timed, for the frame rates), check_page.py the rest.
# Frames and difference images are left in $NORVEX_BUILD/web-frames.
# Usage: test_page.sh path/to/norvex.html path/to/norvex-capture
set -euo pipefail
page=$1
capture=$2
here=$(cd "$(dirname "$0")" && pwd)
[ -f "$page" ] || { echo "FAIL: no web build at $page (make web builds it)"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$capture" --seed 1 --size 256x192 --frames 1 --out "$work/native"
"$capture" --seed 0 --size 256x192 --frames 30 --every 30 --out "$work/native/seed-0"
start=$(date +%s%N)
"$capture" --seed 1 --size 256x192 --frames 600 --every 120 --out "$work/native"
native_fps=$(awk -v ns=$(( $(date +%s%N) - start )) 'BEGIN { printf "%.2f", 600 / (ns / 1e9) }')

python3 "$here/check_page.py" "$page" "$work/native" "${NORVEX_BUILD:-$work}/web-frames" "$native_fps"
