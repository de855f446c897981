# Helpers for the installation tests: a private temporary folder, and what
# their checks run (the checks themselves are tests/checks.sh's).
source "$(dirname "${BASH_SOURCE[0]}")/../checks.sh"
INSTALL_TMP=$(mktemp -d)
trap 'rm -rf "$INSTALL_TMP"' EXIT
BUILD=${NORVEX_BUILD:?NORVEX_BUILD names the build folder}
SOURCE=${NORVEX_SOURCE:?NORVEX_SOURCE names the source folder}
EXPECTED_FILES="$SOURCE/tests/install/expected_files.txt"
# The Plasma wallpaper's files, where the build has it (NORVEX_PLASMA).
EXPECTED_PLASMA_FILES="$SOURCE/tests/install/expected_files_plasma.txt"
PLASMA=$(sed -n 's/^NORVEX_PLASMA:BOOL=//p' "$BUILD/CMakeCache.txt")

# Runs a command, showing its output only when it fails.
quiet() {
    local out
    out=$("$@" 2>&1) || { echo "$out"; return 1; }
}

# True when a command prints nothing at all, on stdout or stderr, and succeeds.
silent() {
    local out
    out=$("$@" 2>&1) || { echo "$out"; return 1; }
    [ -z "$out" ] || { echo "$out"; return 1; }
}

# True when man formats the page with nothing on stderr and the page names $2.
man_renders_clean() {
    local err
    err=$(MANWIDTH=80 man --warnings -l "$1" 2>&1 >"$INSTALL_TMP/page.txt") || return 1
    [ -z "$err" ] || { echo "$err"; return 1; }
    grep -qE "^ +$2 +- " "$INSTALL_TMP/page.txt"
}

# True when the file is a PNG of exactly the given size.
png_of_size() {
    file -b "$1" | grep -q "^PNG image data, $2 x $3,"
}

# True when a captured frame appears: norvex-capture at $1 writes frame 2 at 64x48.
capture_writes_frame() {
    local out="$INSTALL_TMP/shots-$RANDOM"
    "$1" --size 64x48 --frames 2 --every 2 --out "$out" && png_of_size "$out/frame_000002.png" 64 48
}

# True when the screen-saver files under root $1 (prefix $2 as the entry
# names it) hang together: the entry runs the hack link with --root, the link
# is relative and reaches bin/norvex, the settings file describes that hack.
saver_files_agree() {
    local entry="$1/share/applications/screensavers/norvex.desktop" link="$1/libexec/xscreensaver/norvex"
    grep -qx "Exec=$2/libexec/xscreensaver/norvex --root" "$entry" &&
        grep -qx "TryExec=$2/libexec/xscreensaver/norvex" "$entry" &&
        grep -qx 'Categories=Screensaver;' "$entry" && grep -qx 'OnlyShowIn=MATE;XFCE;' "$entry" &&
        [ "$(readlink "$link")" = ../../bin/norvex ] && [ "$(readlink -f "$link")" = "$(readlink -f "$1/bin/norvex")" ] &&
        [ "$(xmllint --xpath 'boolean(/screensaver[@name="norvex"][command/@arg="--root"]
                [boolean[@id="showfps"]/@arg-set="--fps"][normalize-space(_description)])' \
                "$1/share/xscreensaver/config/norvex.xml")" = true ]
}

# True when the Plasma wallpaper package under $1 (share/plasma/wallpapers/ID)
# is what Plasma 5.27 loads: its metadata names the package's id and type and
# the QML it runs, and its settings file is well-formed.
wallpaper_package_valid() {
    local package="$1/share/plasma/wallpapers/org.norvex.wallpaper"
    python3 -c 'import json, sys; m = json.load(open(sys.argv[1]))
sys.exit(not (m["KPlugin"]["Id"] == "org.norvex.wallpaper" and m["KPackageStructure"] == "Plasma/Wallpaper"
              and m["X-Plasma-MainScript"] == "ui/main.qml"))' "$package/metadata.json" &&
        test -f "$package/contents/ui/main.qml" && quiet xmllint --noout "$package/contents/config/main.xml"
}
