#!/usr/bin/env bash
# norvex.exe and norvex.scr under Wine, in Xvfb with openbox, as a Windows
# user meets them: their imports; the demo's "Mode Switch Failed." box on an
# 800x600 screen, then a window; full screen at 1024x768, lit and moving, F1
# to a window and back, Escape; a pinned frame that is norvex-capture's; the
# saver's preview in another program's window and its end with that window;
# /s ended by a motion and by a key, but not by a twitch; the settings dialog,
# from no argument, a bad one and /c, storing a cap that /s then keeps.
# Usage: test_wine.sh [WINDOWS_BUILD] (default build-win).
set -u
SOURCE=${NORVEX_SOURCE:-$(dirname "$0")/../..}
source "$SOURCE/tests/e2e/lib.sh"
source "$SOURCE/tests/wine/lib.sh"
WIN=${1:-$SOURCE/build-win}
EXE=$WIN/norvex.exe SCR=$WIN/norvex.scr HOST=$WIN/tests/wine/preview_host.exe
CAPTURE=${NORVEX_BUILD:-$SOURCE/build}/tools/norvex-capture PROBE=${NORVEX_BUILD:-$SOURCE/build}/tests/cursor_probe
[ -x "$WINE" ] || e2e_skip "no Wine (wine64)"
for f in "$EXE" "$SCR" "$HOST" "$CAPTURE" "$PROBE"; do [ -f "$f" ] || { echo "FAIL: no $f (make windows, make build)"; exit 1; }; done
e2e_init

SYSTEM_DLLS=" kernel32.dll user32.dll gdi32.dll opengl32.dll glu32.dll advapi32.dll comctl32.dll msvcrt.dll ucrtbase.dll "
only_system_dlls() { local d; for d in $(wine_imports "$1"); do [[ $SYSTEM_DLLS == *" $d "* ]] || return 1; done; }
for f in "$EXE" "$SCR"; do
    e2e_check "$(basename "$f") ($(stat -c %s "$f") bytes) imports only system DLLs: $(wine_imports "$f" | xargs)" \
        only_system_dlls "$f"
done

# --- An 800x600 screen: the 1024x768 mode is refused, the demo runs in a window.
e2e_start_desktop 800x600x24
booted=$(date +%s%N)
wine_boot || { echo "FAIL: wineboot: $(tail -n 3 "$E2E_TMP/wineboot.log")"; exit 1; }
e2e_log "$("$WINE" --version) prefix booted in $(e2e_ms_since "$booted") ms"
wine_start small "$EXE"
box=$(e2e_error_box 30) || e2e_fail "800x600: no \"Error\" box"
e2e_check "800x600: no window while the box is up" eval '! e2e_find_window "$TITLE" 1 >/dev/null'
e2e_focus "$box" && xdotool key Return
id=$(e2e_find_window "$TITLE" 20) || e2e_fail "800x600: no window after the box"
e2e_check "800x600: a window, not full screen" eval '! e2e_fullscreen "$id"'
e2e_check "800x600: the window shows the scene" e2e_wait_for 30 e2e_window_shows scene "$id"
e2e_focus "$id" && e2e_hold Escape 10 e2e_gone "$WINE_PID"
wine_expect_exit "800x600: Escape" 10 0
wine_stop_server
kill "$E2E_XVFB"

# --- 1024x768: full screen, F1 to a window and back, Escape.
e2e_start_desktop 1024x768x24
wine_server
wine_start demo "$EXE"
full=$(e2e_find_window "$TITLE" 30) || e2e_fail "no demo window"
e2e_check "full screen at 1024x768" test "$(e2e_geometry "$full")" = "0 0 1024 768"
e2e_check "marked full screen" e2e_fullscreen "$full"
xdotool mousemove 512 384
e2e_check "full screen: the cursor hidden" test "$("$PROBE")" = hidden
# The flight depends on the start-up second: a near glow or cloud may fill the screen for a while.
e2e_check "the city, lit" e2e_wait_for 60 e2e_window_shows city "$full"
e2e_check "moving" e2e_window_changes "$full" 0.5
e2e_focus "$full" && e2e_hold F1 15 e2e_has_new_window "$TITLE" "$full"
window=$(e2e_new_window "$TITLE" "$full" 5) || e2e_fail "F1: no new window"
e2e_check "F1: a window" eval '! e2e_fullscreen "$window"'
e2e_check "F1: the cursor shown over the window" test "$("$PROBE")" = shown
e2e_check "F1: the window shows the scene" e2e_wait_for 30 e2e_window_shows scene "$window"
e2e_focus "$window" && e2e_hold F1 15 e2e_has_new_window "$TITLE" "$window"
full=$(e2e_new_window "$TITLE" "$window" 5) || e2e_fail "F1 again: no new window"
e2e_check "F1 again: full screen at 1024x768" test "$(e2e_geometry "$full")" = "0 0 1024 768"
e2e_check "F1 again: drawing" e2e_drawing "$full"
e2e_focus "$full" && e2e_hold Escape 10 e2e_gone "$WINE_PID"
wine_expect_exit "Escape" 10 0

# --- The same frames as on Linux: a frame put up under Wine is norvex-capture's.
started=$(date +%s%N)
wine_start pinned "$EXE" --seed 2 --windowed --size 160x120 --max-fps 2
id=$(e2e_find_window "$TITLE" 30) && e2e_wait_for 30 e2e_window_shows scene "$id" &&
    e2e_wait_for 30 e2e_window_changes "$id" 0.6
kill -STOP "$WINE_PID"
e2e_import "$id" "$E2E_TMP/screen.png"
"$CAPTURE" --seed 2 --size 160x120 --frames $(($(e2e_ms_since "$started") / 500 + 4)) --out "$E2E_TMP/captured"
for f in "$E2E_TMP"/captured/*.png; do
    echo "$(wine_picture_delta "$E2E_TMP/screen.png" "$f") $(basename "$f")"
done | sort -g | head -n 2 >"$E2E_TMP/best"
kill -CONT "$WINE_PID"
e2e_check "the frame under Wine ($(identify -format %wx%h "$E2E_TMP/screen.png")) is norvex-capture's within its tolerance, \
and no other (share over 3/255, largest difference, frame): $(xargs <"$E2E_TMP/best")" \
    awk 'NR == 1 { ok = $1 <= 0.005 } NR == 2 { ok = ok && $1 > 0.005 } END { exit !(ok && NR == 2) }' "$E2E_TMP/best"
e2e_focus "$id" && e2e_tap Escape  # between two frames half a second apart: still seen
wine_expect_exit "pinned flight at 2 frames a second: Escape tapped" 3 0

# --- /p HWND: the preview in another program's window, ended with it.
wine_start host "$HOST" "$(wine_path "$SCR")"
id=$(e2e_find_window "norvex preview host" 20) || e2e_fail "no preview host window"
e2e_check "/p: the saver's child fills the host's client area" e2e_wait_for 20 grep -q '^preview 320x240' \
    "$E2E_TMP/host.out"
e2e_check "/p: the host's client area shows the city" e2e_wait_for 30 e2e_window_shows city "$id"
e2e_check "/p: moving" e2e_window_changes "$id" 0.5
wmctrl -c "norvex preview host"
e2e_wait_exit "$WINE_PID" 20
read -r ms code < <(tr -d '\r' <"$E2E_TMP/host.out" | awk '/^saver ended/ { print $3, $NF }')
e2e_check "/p: the saver ended ${ms:-never} ms after its window, with ${code:-no} exit code" \
    test "${ms:-99999}" -lt 3000 -a "${code:-1}" = 0

# --- /p with no such window: nothing to draw into, nothing shown, exit code 1.
wine_start nowhere "$SCR" /p 12345
wine_expect_exit "/p 12345, no such window" 10 1

# --- /s: over the whole screen; a twitch does not end it, a motion and a key do.
xdotool mousemove 512 384
wine_start saver "$SCR" /s
id=$(e2e_find_window norvex 20) || e2e_fail "/s: no saver window"
e2e_check "/s: over the whole virtual screen" test "$(e2e_geometry "$id")" = "0 0 1024 768"
e2e_check "/s: drawing" e2e_drawing "$id"
e2e_check "/s: the cursor hidden" test "$("$PROBE")" = hidden
xdotool mousemove_relative 3 3
e2e_check "/s: a 3-pixel twitch does not end it" eval '! e2e_wait_for 1 e2e_gone "$WINE_PID"'
xdotool mousemove_relative 60 0
wine_expect_exit "/s: a 60-pixel motion" 3 0
wine_start saver "$SCR" /S
id=$(e2e_find_window norvex 20) && e2e_drawing "$id"
xdotool key a  # to whichever window has the keyboard: the saver takes it
wine_expect_exit "/S: a key" 3 0

# --- The settings: from no argument, a bad one and /c; a cap and a scale
# stored and kept (a low cap and a small scale, reached on a loaded machine).
for args in "" "/x" "/c:1234"; do
    wine_start dialog "$SCR" $args
    dialog=$(e2e_find_window "norvex settings" 20) || { e2e_fail "'$args': no settings dialog"; continue; }
    e2e_focus "$dialog"
    if [ "$args" = /c:1234 ]; then xdotool type 2 && xdotool key Tab End Return; else xdotool key Escape; fi
    wine_expect_exit "'$args': the settings dialog closed" 10 0
done
stored="$(wine_dword 'HKCU\Software\norvex' MaxFps) $(wine_dword 'HKCU\Software\norvex' ScalePercent)"
e2e_check "/c: a cap of 2 and a scale of 25 % stored in the registry (got $stored)" test "$stored" = "2 25"
export $(e2e_hud_env "$E2E_TMP/hud")
wine_start capped "$SCR" /s
unset GALLIUM_HUD GALLIUM_HUD_PERIOD GALLIUM_HUD_DUMP_DIR
fps=$(e2e_hud_fps "$E2E_TMP/hud" 2 4)
e2e_check "/s at the stored cap of 2: $fps frames a second" awk -v f="${fps:-0}" 'BEGIN { exit !(f >= 1.5 && f <= 2.3) }'
e2e_check "/s at 25 %: through the scene's own framebuffer (nothing said on stderr)" eval \
    '! grep . "$E2E_TMP/capped.err"'
xdotool key a
wine_expect_exit "/s at the cap: a key" 3 0
wine_stop_server
e2e_check "nothing of the prefix left running" e2e_wait_for 5 eval '[ -z "$(wine_prefix_processes)" ]'
e2e_finish
