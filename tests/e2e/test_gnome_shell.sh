#!/usr/bin/env bash
# norvex as GNOME's live wallpaper: the extension as `cmake --install` installs it, in a real
# headless GNOME Shell with two virtual monitors: a moving city on each, its windows out of
# sight and out of every list, under a plain window, stopped under a maximised one; monitors,
# settings, preferences, killed renderers; disable, lock, ten cycles; a replacement shell.
set -u
for lib in lib wayland_lib gnome_lib; do source "${NORVEX_SOURCE:-$(dirname "$0")/../..}/tests/e2e/$lib.sh"; done
e2e_init
e2e_user_init || { echo "no user to run GNOME Shell as"; exit 1; }
gnome_install "$1" || { echo "the extension did not install"; exit 1; }
AREAS=("0 40 1280 680" "1280 0 640 480")  # each monitor's stage area, below the top bar
started=$(date +%s%N)
gnome_start_shell shell --virtual-monitor 1280x720 --virtual-monitor 640x480 ||
    { echo "GNOME Shell did not start: ${E2E_WHY:-no reason given}"; exit 1; }

# renderers_are ARGS...: one renderer per monitor, from BINARY, these arguments after its size and seed.
renderers_are() {
    local index sizes=(1280x720 640x480) line
    [ "$(gnome_renderers | wc -l)" -eq 2 ] || return 1
    for index in 0 1; do
        line=$(gnome_renderers | grep -F -- "--seed $((index + 1)) ") &&
            [[ $line == *" $BINARY --windowed --size ${sizes[index]} --seed $((index + 1)) $*" ]] || return 1
    done
}
state_of() { awk '{print $3}' "/proc/$1/stat"; }
BINARY=$GNOME_PREFIX/bin/norvex
e2e_check "one renderer per monitor, at its size, with its own seed, from <prefix>/bin" e2e_wait_for 20 renderers_are --max-fps 30 --renderer batched
for index in 0 1; do
    e2e_check "monitor $index: the lit city" e2e_wait_for 120 gnome_area_shows city ${AREAS[index]}
    [ "$index" -eq 0 ] && e2e_log "first frame of monitor 0: $(e2e_ms_since "$started") ms after the shell's start"
    e2e_check "monitor $index: it moves (pictures 3 s apart)" e2e_wait_for 30 gnome_area_changes ${AREAS[index]} 3
done

# Out of sight: the renderers' windows hidden, in no list, never focused,
# never picked; a plain window opened over them is focused and on top. A
# renderer's window that the shell focuses hands the focus on at once: the
# check waits that moment out (seen once in twelve runs under load).
OURS="global.get_window_actors().filter(a => a.meta_window.get_title() === '$TITLE')"
hidden="const ours = $OURS;
  const has = list => list.filter(w => ours.some(a => a.meta_window === w)).length;
  [ours.length, ours.filter(a => a.visible).length, ours.filter(a => !a.meta_window.skip_taskbar).length,
   has(global.display.get_tab_list(Meta.TabList.NORMAL, null)), has(imports.ui.altTab.getWindows(null)),
   has(Shell.AppSystem.get_default().get_running().flatMap(app => app.get_windows())),
   has([global.display.focus_window]), ours.map(a => (r => r.width + 'x' + r.height)(a.meta_window.get_frame_rect())).sort(),
   ours.filter(a => a.contains(global.stage.get_actor_at_pos(imports.gi.Clutter.PickMode.ALL, 640, 400))).length].join(' ')"
e2e_check "their windows: 2 hidden, in no tab list, alt-tab, dash, focus, at their monitor's size, not picked ($(gnome_eval "$hidden"))" \
    e2e_wait_for 5 gnome_eval_is '"2 0 0 0 0 0 0 1280x720,640x480 0"' "$hidden"
e2e_user_spawn /dev/null foot sleep 600 && FOOT=$E2E_SPAWNED
e2e_check "a plain window opened over them has the focus" e2e_wait_for 20 gnome_eval_is "$FOOT" 'global.display.focus_window?.get_pid()'
read -r fx fy fw fh <<<"$(gnome_eval '(r => [r.x, r.y, r.width, r.height].join(" "))(global.display.focus_window.get_frame_rect())' | tr -d '"')"
e2e_check "the plain window is on top: a still picture where it lies (${fw}x$fh at $fx,$fy)" \
    e2e_wait_for 10 eval '! gnome_area_changes $fx $fy $fw $fh 1'

# Maximised, the window hides monitor 0: its renderer stops; monitor 1's draws on.
r0=$(gnome_renderer 0) r1=$(gnome_renderer 1)
shown_ticks=$(e2e_cpu_over "$r0" 3)
gnome_eval 'global.display.focus_window.maximize(Meta.MaximizeFlags.BOTH)' >/dev/null
e2e_check "under a maximised window: monitor 0's renderer stopped" e2e_wait_for 5 eval '[ "$(state_of $r0)" = T ]'
read -r a0 a1 <<<"$(e2e_cpu_ticks "$r0") $(e2e_cpu_ticks "$r1")" && sleep 3 && hidden_ticks=$(($(e2e_cpu_ticks "$r0") - a0))
other_ticks=$(($(e2e_cpu_ticks "$r1") - a1))
e2e_check "hidden 3 s: $hidden_ticks ticks of CPU (shown: $shown_ticks); monitor 1's: $other_ticks" \
    test "$hidden_ticks" -eq 0 -a "$other_ticks" -gt 0
gnome_eval 'global.display.focus_window.unmaximize(Meta.MaximizeFlags.BOTH)' >/dev/null
e2e_check "unmaximised: it draws again" e2e_wait_for 5 eval '[ "$(state_of $r0)" != T ] && [ "$(e2e_cpu_over $r0 1)" -gt 0 ]'
kill "$FOOT"

# Monitor 1 removed and added again through the display configuration.
display_config() { e2e_user_exec gdbus call --session --dest org.gnome.Mutter.DisplayConfig \
    --object-path /org/gnome/Mutter/DisplayConfig --method "org.gnome.Mutter.DisplayConfig.$1" "${@:2}"; }
monitors() {  # monitors 1|2: Meta-0 alone, or Meta-1 right of it too
    local config="(0, 0, 1.0, uint32 0, true, [('Meta-0', '1280x720@60.000', @a{sv} {})])"
    [ "$1" = 2 ] && config+=", (1280, 0, 1.0, uint32 0, false, [('Meta-1', '640x480@60.000', @a{sv} {})])"
    display_config ApplyMonitorsConfig "$(display_config GetCurrentState | sed -E 's/^\(uint32 ([0-9]+),.*/\1/')" 1 "[$config]" '@a{sv} {}' >/dev/null
}
monitors 1
e2e_check "monitor 1 removed: its renderer ends, monitor 0's stays" \
    e2e_wait_for 3 eval '[ "$(gnome_renderers | wc -l)" -eq 1 ] && [ "$(gnome_renderer 0)" = "$r0" ]'
monitors 2
e2e_check "monitor 1 back: a renderer for it" e2e_wait_for 5 renderers_are --max-fps 30 --renderer batched
e2e_check "monitor 1 back: the lit city" e2e_wait_for 120 gnome_area_shows city ${AREAS[1]}

# Settings restart the renderers with their new arguments.
e2e_user_exec env GSETTINGS_SCHEMA_DIR="$GNOME_PREFIX/share/gnome-shell/extensions/$GNOME_UUID/schemas" sh -c \
    'for setting in "max-fps 12" "samples 4" "render-scale 0.5" "show-fps true"; do gsettings set org.gnome.shell.extensions.norvex $setting; done'
e2e_check "settings: renderers restarted with them" e2e_wait_for 10 renderers_are --max-fps 12 --renderer batched --scale 0.50 --samples 4 --fps
e2e_user_spawn "$E2E_TMP/prefs.log" env GSK_RENDERER=cairo gjs /usr/share/gnome-shell/org.gnome.Shell.Extensions
e2e_wait_for 10 e2e_user_exec gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
    --method org.freedesktop.DBus.GetNameOwner org.gnome.Shell.Extensions >/dev/null 2>&1  # before it is asked
gnome_extensions prefs
e2e_check "preferences: a window of their own, no error" e2e_wait_for 20 eval \
    'gnome_eval_is 1 "global.get_window_actors().filter(a => a.meta_window.get_title() === \"norvex city wallpaper\").length" &&
     ! grep -E "Failed to open|JS ERROR" "$E2E_TMP/prefs.log"'
kill "$E2E_SPAWNED"

# A killed renderer comes back; killed more than 3 times a minute it is given up, with one notification.
gnome_eval 'globalThis.seen = []; Main.messageTray.connect("source-added", (tray, source) =>
    source.connect("notification-show", (s, n) => seen.push(n.title)))' >/dev/null
for kill in 1 2 3 4; do
    r0=$(gnome_renderer 0) && kill -KILL "$r0"
    [ $kill -lt 4 ] && e2e_check "renderer killed ($kill): a new one" e2e_wait_for 5 eval '[ -n "$(gnome_renderer 0)" ] && [ "$(gnome_renderer 0)" != $r0 ]'
done
sleep 3
e2e_check "killed a 4th time within a minute: not started again, monitor 1's kept" test -z "$(gnome_renderer 0)" -a -n "$(gnome_renderer 1)"
e2e_check "one notification ($(gnome_eval 'seen.join()'))" gnome_eval_is '"1 norvex wallpaper stopped"' 'seen.length + " " + seen[0]'

# Disabled: every renderer ends within 3 s; locked, likewise; ten cycles leave
# no process and no growth in the shell's memory beyond a few MB.
ours_shown() { gnome_eval_is 2 "$OURS.length"; }
gnome_extensions disable && gnome_extensions enable && e2e_wait_for 20 ours_shown
start=$(gnome_eval "Main.extensionManager.disableExtension('$GNOME_UUID') && imports.gi.GLib.get_real_time()")
e2e_check "disabled: every renderer gone" e2e_wait_for 3 gnome_no_renderer
e2e_log "disabled: renderers gone after $(e2e_ms_since "${start}000") ms"
cycle() { gnome_extensions enable && e2e_wait_for 20 ours_shown && gnome_extensions disable && e2e_wait_for 3 gnome_no_renderer; }
floors=()  # the shell's memory after each cycle, its JavaScript heap collected
for n in $(seq 10); do
    cycle && gnome_eval 'imports.system.gc()' >/dev/null || { e2e_fail "cycle $n"; break; }
    floors+=("$(e2e_rss_kb "$GNOME_SHELL")")
done
first=$(printf '%s\n' "${floors[@]:0:3}" | sort -n | head -n 1) last=$(printf '%s\n' "${floors[@]: -3}" | sort -n | head -n 1)
e2e_check "ten enable/disable cycles: shell memory floors $first -> $last kB (within 5 MB), no process left" \
    test "${#floors[@]}" -eq 10 -a $((last - first)) -le 5120 -a -z "$(gnome_renderers all)"
gnome_extensions enable && e2e_wait_for 20 ours_shown
gnome_eval 'Main.sessionMode.pushMode("unlock-dialog")' >/dev/null
e2e_check "locked: every renderer gone" e2e_wait_for 3 gnome_no_renderer
gnome_eval 'Main.sessionMode.popMode("unlock-dialog")' >/dev/null
e2e_check "unlocked: the renderers back" e2e_wait_for 10 eval '[ "$(gnome_renderers | wc -l)" -eq 2 ]'

# A replacement shell starts its own renderers (norvex from PATH first); the
# old shell's crash then leaves none of its own, stopped or not.
e2e_user_spawn /dev/null foot sleep 600
e2e_wait_for 20 gnome_eval_is "$E2E_SPAWNED" 'global.display.focus_window?.get_pid()' &&
    gnome_eval 'global.display.focus_window.make_fullscreen()' >/dev/null
e2e_check "under a full-screen window: monitor 0's renderer stopped" e2e_wait_for 5 eval '[ "$(state_of "$(gnome_renderer 0)")" = T ]'
old=$GNOME_SHELL
BINARY=$(e2e_user_copy "$1")
PATH=$(dirname "$BINARY"):$PATH gnome_start_shell replacement --virtual-monitor 1280x720 --replace
e2e_check "the replacement shell runs a renderer, norvex from PATH" e2e_wait_for 20 eval \
    '[ "$(gnome_renderers | wc -l)" -eq 1 ] && gnome_renderers | grep -qF "$BINARY --windowed --size 1280x720 --seed 1 "'
kill -KILL "$old"
e2e_check "the old shell killed: none of its renderers left" e2e_wait_for 3 eval \
    '[ "$(gnome_renderers all | wc -l)" -eq 1 ] && [ -n "$(gnome_renderers)" ]'
e2e_finish
