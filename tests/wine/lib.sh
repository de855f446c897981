# Helpers for the Wine test of norvex.exe and norvex.scr, on top of the
# end-to-end helpers (Xvfb, openbox, xdotool, pictures): a Wine prefix of the
# test's own, its server started and stopped by pid, Windows programs started
# and waited for, paths and registry values as Wine sees them. Source it after
# tests/e2e/lib.sh and e2e_init.

WINE=${WINE:-$(command -v wine64 || echo /usr/lib/wine/wine64)}
WINESERVER=${WINESERVER:-$(command -v wineserver || echo /usr/lib/wine/wineserver)}

# wine_boot: a fresh prefix in $E2E_TMP (about 20 s the first time), its
# server kept running and tracked; needs DISPLAY. Returns 1 when Wine cannot start.
wine_boot() {
    export WINEPREFIX=$E2E_TMP/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    [ -d "$WINEPREFIX" ] || { "$WINE" wineboot -i >"$E2E_TMP/wineboot.log" 2>&1 || return 1; }
    wine_server
}
# wine_server: the prefix's server in the foreground, persistent, tracked: when
# the test stops it, every Windows process of the prefix goes with it.
wine_server() {
    "$WINESERVER" -k 2>/dev/null
    "$WINESERVER" -f -p >"$E2E_TMP/wineserver.log" 2>&1 &
    WINE_SERVER=$!
    e2e_track "$WINE_SERVER"
}
# wine_stop_server: ends every program of the prefix, then its server. A server
# ended by a signal alone leaves Wine's own services (services.exe, explorer,
# winedevice ...) running after it.
wine_stop_server() {
    "$WINESERVER" -k 2>/dev/null
    kill -TERM "$WINE_SERVER" 2>/dev/null
    wait "$WINE_SERVER" 2>/dev/null
}
# wine_prefix_processes: the pids of the Wine processes running in this test's prefix.
wine_prefix_processes() {
    local p
    for p in /proc/[0-9]*; do
        [[ $(readlink "$p/exe" 2>/dev/null) == */wine* ]] &&
            grep -qzxF "WINEPREFIX=$WINEPREFIX" "$p/environ" 2>/dev/null && echo "${p#/proc/}"
    done
}

# wine_start NAME PROGRAM [ARGS...]: starts a Windows program; WINE_PID is its
# process (Wine runs it in this very process), output in $E2E_TMP/NAME.out.
wine_start() {
    local name=$1; shift
    "$WINE" "$@" >"$E2E_TMP/$name.out" 2>"$E2E_TMP/$name.err" &
    WINE_PID=$!
    e2e_track "$WINE_PID"
}
# wine_expect_exit WHAT SECONDS CODE: the last program started ends within SECONDS with CODE.
wine_expect_exit() {
    e2e_wait_exit "$WINE_PID" "$2" || { e2e_fail "$1: still running $2 s later"; return; }
    e2e_check "$1: exit code $3 (got $E2E_EXIT)" test "$E2E_EXIT" -eq "$3"
}

# wine_path FILE: the Windows path of a Linux file (drive Z: is /).
wine_path() { local p; p=$(readlink -f "$1"); echo "Z:${p//\//\\}"; }

# wine_dword KEY NAME: a REG_DWORD value of the prefix's registry, in decimal.
wine_dword() {
    local value
    value=$("$WINE" reg query "$1" /v "$2" 2>/dev/null | awk -v n="$2" '$1 == n { print $3 }' | tr -d '\r')
    [ -n "$value" ] && echo $((value))
}

# wine_imports FILE: the DLLs a Windows program imports, lower case, one a line.
wine_imports() { x86_64-w64-mingw32-objdump -p "$1" | awk '/DLL Name:/ { print tolower($3) }' | sort; }

# wine_picture_delta A B: the share (0..1) of pixels in which some channel
# differs by more than 3 of 255 (the capture goldens' tolerance), and the
# largest difference of any channel.
wine_picture_delta() {
    local share max
    share=$(convert "$1" "$2" -compose difference -composite -separate -evaluate-sequence max \
        -threshold 1.2% -format '%[fx:mean]' info:)
    max=$(convert "$1" "$2" -compose difference -composite -separate -evaluate-sequence max \
        -format '%[fx:int(maxima*255+0.5)]' info:)
    echo "$share $max"
}
