#!/usr/bin/env bash
# norvex on a real KDE Plasma desktop (plasma_lib.sh: KWin with two virtual
# screens, plasmashell), as users meet it: the wallpaper listed among Plasma's
# and chosen there, one renderer per screen with a flight of its own, the
# moving city at full resolution under the panel, the settings passed on;
# asleep under a full-screen window; its renderer killed (once as a setting
# changes), plasmashell lives on and the city comes back, later the more often
# it dies; renderers that break the hand-over stopped, plasmashell unharmed;
# the idle screen (--overlay) over plasmashell, ended by a key; switched away
# ten times, no renderer left and plasmashell's memory flat.
set -u
source "${NORVEX_SOURCE:-$(dirname "$0")/../..}/tests/e2e/lib.sh"
source "${NORVEX_SOURCE:-$(dirname "$0")/../..}/tests/e2e/wayland_lib.sh"
source "${NORVEX_SOURCE:-$(dirname "$0")/../..}/tests/e2e/plasma_lib.sh"
[ "${NORVEX_PLASMA:-}" = ON ] || e2e_skip "the wallpaper plugin is not built (NORVEX_PLASMA: Qt 5's QML was not found)"
missing=$(plasma_missing)
[ -z "$missing" ] || e2e_skip "no KDE Plasma desktop here: $missing is missing"
e2e_init
e2e_user_init || { echo "no user to run the desktop as"; exit 1; }
NORVEX=$(e2e_user_copy "$1") && KEY=$(e2e_user_copy "$NORVEX_BUILD/tests/kwin_key") || exit 1
SHOTS=$E2E_TMP/shots
# The renderer as the plugin finds it on the PATH, with the frame rate shown:
# its "F" in the lower-left corner says the frame is upright and unscaled.
printf '#!/bin/sh\nexec %s --fps "$@"\n' "$NORVEX" >"$E2E_TMP/norvex-fps" && chmod 755 "$E2E_TMP/norvex-fps"
plasma_start 640x480 2 "$E2E_TMP/norvex-fps" || { echo "no Plasma desktop: ${E2E_WHY:-no reason given}"; exit 1; }
mkdir -p "$SHOTS" && chmod 777 "$SHOTS"

# shot NAME [SCREEN]: $SHOTS/NAME.ppm; strip NAME: its panel's left part (the clock changes).
shot() { plasma_shot "$SHOTS/$1.ppm" "${2:-}"; }
strip() { convert "$SHOTS/$1.ppm" -crop 400x40+0+0 +repage "$SHOTS/$1-panel.png"; }
# city_on SCREEN: below the panel the lit city, moving, with the frame rate in its corner.
city_on() {
    shot "$1-a" "$1" && sleep 1 && shot "$1-b" "$1" && e2e_pictures_differ "$SHOTS/$1-a.ppm" "$SHOTS/$1-b.ppm" &&
        convert "$SHOTS/$1-b.ppm" -crop 640x420+0+60 +repage "$SHOTS/$1-city.png" &&
        e2e_picture_shows city "$SHOTS/$1-city.png" && e2e_fps_in "$SHOTS/$1-b.ppm"
}
# panel_over NAME: the panel in picture NAME-a is light and the same in NAME-b
# but for what shows through it: Breeze's panel lets up to about 15 % of the
# city through, which is black against white in the flight's bright passages.
panel_over() {
    strip "$1-a" && strip "$1-b" &&
        [ "$(compare -fuzz 20% -metric AE "$SHOTS/$1-a-panel.png" "$SHOTS/$1-b-panel.png" null: 2>&1)" -lt 160 ] &&
        [ "$(e2e_picture_stats "$SHOTS/$1-a-panel.png" | cut -d' ' -f1)" -ge 150 ]
}
panel_over_city() { shot p-a Virtual-0 && sleep 1 && shot p-b Virtual-0 && e2e_pictures_differ "$SHOTS/p-a.ppm" "$SHOTS/p-b.ppm" &&
    panel_over p; }
# frame_shown: below the panel of the first screen, a frame (a city's many greys, not a plain colour).
frame_shown() {
    shot f Virtual-0 && [ "$(convert "$SHOTS/f.ppm" -crop 640x420+0+60 -colorspace gray -depth 8 -format %k info:)" -ge 24 ]
}
arguments() { for pid in $(plasma_renderers); do tr '\0' ' ' 2>/dev/null <"/proc/$pid/cmdline"; echo; done; }
all_say() { [ "$(arguments | grep -c -- "$1")" -eq 2 ]; }
# frames_mapped BYTES: plasmashell maps two renderers' buffers of that size.
frames_mapped() {
    local range rest count=0
    while read -r range rest; do
        [ $((16#${range#*-} - 16#${range%-*})) -eq "$1" ] && count=$((count + 1))
    done < <(grep norvex-frames "/proc/$PLASMA/maps")  # one read: the kernel writes maps anew at every seek
    [ "$count" -eq 2 ]
}
# busy_and_idle: one renderer drew over a second (BUSY) and the other did not (IDLE).
busy_and_idle() {
    local pid ticks
    BUSY="" IDLE=""
    for pid in $(plasma_renderers); do
        ticks=$(e2e_cpu_over "$pid" 1)
        if [ "$ticks" -le 1 ]; then IDLE=$pid; elif [ "$ticks" -ge 10 ]; then BUSY=$pid; fi
    done
    [ -n "$BUSY" ] && [ -n "$IDLE" ]
}
# replaced PID: another renderer took its place (in one look: it may be
# collected in between two); REPLACED_MS since KILLED_AT.
replaced() {
    local now
    now=$(plasma_renderers)
    [ "$(wc -l <<<"$now")" -eq 2 ] && ! grep -qx "$1" <<<"$now" && REPLACED_MS=$(e2e_ms_since "$KILLED_AT")
}
plasma_alive() { ! e2e_gone "$PLASMA"; }
draws_since() { [ "$(e2e_cpu_ticks "$1")" -gt "$2" ]; }
# set_config "'KEY', VALUE) ...; d[i].writeConfig('KEY', VALUE": the wallpaper's settings, as its dialog writes them.
set_config() {
    plasma_script "var d = desktops(); for (var i = 0; i < d.length; i++) {
        d[i].currentConfigGroup = ['Wallpaper', 'org.norvex.wallpaper', 'General']; d[i].writeConfig($1); }" >/dev/null
}

# Listed in Plasma's wallpaper dialog and chosen; the panel moved to the top,
# the frame rate's corner in view.
e2e_check "Plasma lists the wallpaper" grep -qw norvex <<<"$(plasma_script 'print(Object.keys(knownWallpaperPlugins()))')"
plasma_script "panels()[0].location = 'top'" >/dev/null
plasma_wallpaper org.norvex.wallpaper
e2e_check "one renderer per screen" e2e_wait_for 30 plasma_renderer_count 2
e2e_check "each screen its own flight" test "$(arguments | grep -o -- '--seed [0-9]*' | sort -u | wc -l)" -eq 2
e2e_check "the settings' defaults: 30 frames a second, no smoothing" all_say "--max-fps 30 --seed"
for screen in Virtual-0 Virtual-1; do
    e2e_check "$screen: the city, moving, upright and at full resolution" e2e_wait_for 90 city_on "$screen"
done
e2e_check "the panel over the moving city" e2e_wait_for 30 panel_over_city
e2e_check "two 640x480 buffers mapped" frames_mapped $((2 * 640 * 480 * 4))

# The settings, as Plasma's dialog writes them: new renderers with the new
# cap and smoothing, at half the pixels each way, and from here on a pinned
# flight whose first frames show the city (an unpinned one may open on a
# plain passage that lasts longer than a check waits: seed 1's first 200 frames).
set_config "'MaxFps', 12); d[i].writeConfig('Samples', 4); d[i].writeConfig('RenderScale', 0.5); d[i].writeConfig('Seed', 2"
e2e_check "new settings: the renderers started again with them" e2e_wait_for 20 all_say "--max-fps 12 --samples 4 --seed 2"
e2e_check "new settings: 320x240 buffers at render scale 0.5" e2e_wait_for 30 frames_mapped $((2 * 320 * 240 * 4))
set_config "'Samples', 0); d[i].writeConfig('RenderScale', 1.0"  # the cap of 12 stays: cheaper from here on
# settled: two renderers, no more (those let go end within 2 s), with buffers of that many bytes.
settled() { plasma_renderer_count 2 && frames_mapped "$1"; }
e2e_check "settings back: full resolution" e2e_wait_for 30 settled $((2 * 640 * 480 * 4))

# A full-screen window over the first screen: its renderer sleeps, the other draws on.
printf 'import QtQuick 2.15\nimport QtQuick.Window 2.15\nWindow { visibility: Window.FullScreen; color: "#204080" }\n' >"$E2E_TMP/cover.qml"
e2e_user_spawn "$E2E_TMP/cover.log" qmlscene "$E2E_TMP/cover.qml"
COVER=$E2E_SPAWNED
if e2e_wait_for 20 busy_and_idle; then
    e2e_log "ok: under a full-screen window: one renderer sleeps, the other draws"
    before=$(e2e_cpu_ticks "$IDLE")
    sleep 3
    slept=$(($(e2e_cpu_ticks "$IDLE") - before))
    e2e_check "under a full-screen window: $slept ticks in 3 s (at most 3)" test "$slept" -le 3
    kill -TERM "$COVER"
    e2e_check "uncovered: it draws again" e2e_wait_for 20 draws_since "$IDLE" $((before + 10))
else
    e2e_fail "under a full-screen window: one renderer sleeps, the other draws ($(tail -n 2 "$E2E_TMP/cover.log"))"
    kill -TERM "$COVER"
fi

# One screen's renderer killed, twice (SIGKILL, then SIGTERM, which it ends
# by without a word): plasmashell lives on, another renderer comes after about
# a second, the next after at least two.
victim=$(plasma_renderers | head -n 1)
for delay in 1 2; do
    others=$(plasma_renderers | grep -vx "$victim") signal=$([ "$delay" = 1 ] && echo KILL || echo TERM)
    KILLED_AT=$(date +%s%N) && kill -"$signal" "$victim"
    REPLACED_MS=0
    e2e_check "renderer killed (SIG$signal): another within 15 s" e2e_wait_for 15 replaced "$victim"
    e2e_check "renderer killed: replaced after $REPLACED_MS ms (at least $((delay * 1000 - 100)))" \
        test "$REPLACED_MS" -ge $((delay * 1000 - 100))
    victim=$(plasma_renderers | grep -vx "$others")  # the same screen's new one
done
# Killed just as a setting changes: what comes next draws with the new one.
kill -KILL "$(plasma_renderers | head -n 1)" && set_config "'RenderScale', 0.5"
e2e_check "killed as the scale changed: both at half size" e2e_wait_for 30 settled $((2 * 320 * 240 * 4))
set_config "'RenderScale', 1.0"
e2e_check "renderers killed: plasmashell lives on" plasma_alive
for screen in Virtual-0 Virtual-1; do
    e2e_check "renderers killed: the city is back on $screen" e2e_wait_for 60 city_on "$screen"
done

# The idle screen over plasmashell and its panel, ended by a key (X).
overlay_up() { shot over Virtual-0 && strip over && [ "$(e2e_picture_stats "$SHOTS/over-panel.png" | cut -d' ' -f1)" -lt 100 ]; }
e2e_check "before the overlay: the panel is there" e2e_wait_for 30 panel_over_city
e2e_user_spawn "$E2E_TMP/overlay.log" env --default-signal=INT,TERM "$NORVEX" --overlay --max-fps 12
E2E_NORVEX=$E2E_SPAWNED
e2e_check "overlay: it covers the panel" e2e_wait_for 60 overlay_up
e2e_user_exec "$KEY" 45
e2e_expect_exit "overlay: a key" 5 0
e2e_check "overlay: nothing said" test ! -s "$E2E_TMP/overlay.log"

# Renderers that break the hand-over (rogue_renderer.py): each is stopped
# with one line naming the fault, and plasmashell lives on.
said_and_alive() { grep -q "the renderer sent $1" "$E2E_TMP/plasmashell.log" && plasma_alive; }
ROGUE=$(e2e_user_copy "${NORVEX_SOURCE:-$(dirname "$0")/../..}/tests/e2e/rogue_renderer.py") || exit 1
for rogue in "slot:a message out of place" "short:a buffer that cannot be used"; do
    printf '#!/bin/sh\nROGUE=%s exec %s %s "$@"\n' "${rogue%%:*}" "$PLASMA_PYTHON" "$ROGUE" >"$E2E_TMP/prefix/bin/norvex" &&
        chmod 755 "$E2E_TMP/prefix/bin/norvex"
    plasma_wallpaper org.kde.color && plasma_wallpaper org.norvex.wallpaper
    e2e_check "a renderer that sends ${rogue#*:}: stopped, plasmashell lives on" e2e_wait_for 20 said_and_alive "${rogue#*:}"
done
install -m 755 "$E2E_TMP/norvex-fps" "$E2E_TMP/prefix/bin/norvex"

# Back to Plasma's image wallpaper: no renderer and no buffer is left. Then
# ten switches to the plain colour and back: plasmashell's memory and
# descriptors stay where they were. (Not to the image: Plasma's image
# wallpaper alone grows plasmashell by about 16 MB over its first switches,
# measured, and 1.2 MB now and then after that.)
none_left() { plasma_renderer_count 0 && ! pgrep -u "$E2E_USER" -x norvex >/dev/null && ! grep -q norvex-frames "/proc/$PLASMA/maps"; }
plasma_wallpaper org.kde.image
e2e_check "back to the image wallpaper: no renderer, no buffer left" e2e_wait_for 10 none_left
floors=() fds=()
for cycle in $(seq 0 10); do  # the first fills plasmashell's caches: not counted
    plasma_wallpaper org.norvex.wallpaper && e2e_wait_for 30 frames_mapped $((2 * 640 * 480 * 4)) &&
        e2e_wait_for 30 frame_shown || { e2e_fail "switch $cycle: no frame shown"; break; }
    plasma_wallpaper org.kde.color && e2e_wait_for 10 none_left || { e2e_fail "switch $cycle: left: $(arguments)"; break; }
    [ "$cycle" -ge 1 ] && floors+=("$(e2e_rss_kb "$PLASMA")") fds+=("$(ls "/proc/$PLASMA/fd" | wc -l)") &&
        e2e_log "switch $cycle: plasmashell ${floors[-1]} kB, ${fds[-1]} descriptors"
done
first=$(printf '%s\n' "${floors[@]:0:3}" | sort -n | head -n 1)
last=$(printf '%s\n' "${floors[@]: -3}" | sort -n | head -n 1)
e2e_check "ten switches: plasmashell's memory floors $first -> $last kB (within 3072)" \
    test "${#floors[@]}" -eq 10 -a $((last - first)) -le 3072
e2e_check "ten switches: ${fds[0]:-?} -> ${fds[9]:-?} descriptors open (at most 4 more)" test "${fds[9]:-999}" -le $((${fds[0]:-0} + 4))
e2e_check "plasmashell lives on" plasma_alive
e2e_check "no renderer complained" sh -c "! grep '^norvex: ' '$E2E_TMP/plasmashell.log'"
grep 'norvex wallpaper' "$E2E_TMP/plasmashell.log" | sed 's/^/  plasmashell: /'
e2e_finish
