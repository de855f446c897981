#!/usr/bin/env bash
# Frames per second of the web build in headless Chromium (software WebGL)
# against norvex-capture's at the same size, measured one after the other.
# Usage: web_fps.sh [WxH] [FRAMES]   (from the source folder, after make web)
set -euo pipefail
size=${1:-1024x768}
frames=${2:-200}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
start=$(date +%s%N)
build/tools/norvex-capture --seed 1 --size "$size" --frames "$frames" --every "$((frames + 1))" --out "$work"
native=$(awk -v ns=$(( $(date +%s%N) - start )) -v n="$frames" 'BEGIN { printf "%.2f", n / (ns / 1e9) }')
w=${size%x*} h=${size#*x}
page=$(WINDOW="$((w + 40)),$((h + 120))" python3 tests/web/page_driver.py \
    "file://$PWD/build-web/norvex.html?seed=1&size=$size" "$frames" 2>/dev/null)
echo "$size, $frames frames: page $page fps, native $native fps, ratio $(awk -v a="$page" -v b="$native" 'BEGIN { printf "%.2f", a / b }')"
