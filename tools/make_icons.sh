#!/usr/bin/env bash
# Makes the desktop icons from the demo's own picture: norvex-capture renders
# frame 600 of seed 1 straight at each icon size (no scaling), and the PNGs
# are committed under data/icons. Usage: tools/make_icons.sh [path/to/norvex-capture]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
capture=${1:-$root/build/tools/norvex-capture}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for size in 48 128 256; do
    "$capture" --seed 1 --size "${size}x${size}" --frames 600 --every 600 --out "$work/$size"
    mkdir -p "$root/data/icons/hicolor/${size}x${size}/apps"
    cp "$work/$size/frame_000600.png" "$root/data/icons/hicolor/${size}x${size}/apps/norvex.png"
done
