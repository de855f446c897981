# Helpers for tests and benchmarks on a real KDE Plasma desktop, headless: a
# session bus, KWin (`--virtual`, a copy of the binary without the file
# capability this container cannot grant), kactivitymanagerd and plasmashell,
# all as E2E_USER, with the wallpaper plugin installed from the build into
# $E2E_TMP/prefix; pictures and desktop scripts over the session bus
# (plasma_bus.py). Source it after lib.sh and wayland_lib.sh; call e2e_init
# and e2e_user_init first.
PLASMA_BUS_SOURCE=$(dirname "${BASH_SOURCE[0]}")/plasma_bus.py
PLASMA_BUS=""  # its copy that E2E_USER can read, once plasma_start made it
PLASMA_ACTIVITIES=/usr/lib/x86_64-linux-gnu/libexec/kactivitymanagerd
PLASMA_PYTHON=/usr/bin/python3  # Debian's, with its GObject bindings (python3-gi), whatever else is on the PATH

# plasma_missing: names what this machine lacks for a Plasma desktop, if anything.
plasma_missing() {
    local program
    for program in kwin_wayland plasmashell qmlscene "$PLASMA_ACTIVITIES" "$PLASMA_PYTHON"; do
        command -v "$program" >/dev/null || { echo "$program"; return; }
    done
    "$PLASMA_PYTHON" -c 'from gi.repository import Gio' 2>/dev/null || echo "python3-gi"
}

# plasma_start WxH OUTPUTS NORVEX: the desktop with OUTPUTS screens of WxH,
# NORVEX (a norvex binary) first on plasmashell's PATH. Sets PLASMA (its pid);
# 1 with E2E_WHY when something does not come up.
plasma_start() {
    local size=$1 outputs=$2 prefix=$E2E_TMP/prefix session=$E2E_TMP/session
    mkdir -p "$E2E_TMP/bin" && chmod 755 "$E2E_TMP/bin" && PLASMA_BUS=$E2E_TMP/bin/plasma_bus.py &&
        install -m 644 "$PLASMA_BUS_SOURCE" "$PLASMA_BUS" &&
        cmake --install "$NORVEX_BUILD" --prefix "$prefix" --component plasma >/dev/null &&
        install -D -m 755 "$3" "$prefix/bin/norvex" && chmod -R a+rX "$prefix" || { E2E_WHY="no install"; return 1; }
    mkdir -p "$session" && chown "$E2E_USER:" "$session" && chmod 700 "$session" || return 1
    export DBUS_SESSION_BUS_ADDRESS=unix:path=$session/bus
    e2e_user_spawn "$E2E_TMP/bus.log" dbus-daemon --session --nofork --address="$DBUS_SESSION_BUS_ADDRESS"
    e2e_wait_for 10 test -S "$session/bus" || { E2E_WHY="no session bus"; return 1; }
    cp "$(command -v kwin_wayland)" "$E2E_TMP/bin/" && chmod 755 "$E2E_TMP/bin/kwin_wayland" || return 1
    e2e_start_compositor kwin env KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 \
        "$E2E_TMP/bin/kwin_wayland" --virtual --no-lockscreen --width "${size%x*}" --height "${size#*x}" \
        --output-count "$outputs" || return 1
    export QT_QPA_PLATFORM=wayland
    e2e_user_spawn "$E2E_TMP/activities.log" "$PLASMA_ACTIVITIES"
    e2e_wait_for 20 plasma_on_bus org.kde.ActivityManager || { E2E_WHY="kactivitymanagerd did not start"; return 1; }
    plasma_shell "$outputs"
}
# plasma_shell OUTPUTS: plasmashell (again), with the plugin's prefix; sets PLASMA.
plasma_shell() {
    local prefix=$E2E_TMP/prefix qml
    qml=$(sed -n 's/^NORVEX_QML_DIR:PATH=//p' "$NORVEX_BUILD/CMakeCache.txt")
    e2e_user_spawn "$E2E_TMP/plasmashell.log" env PATH="$prefix/bin:$PATH" XDG_DATA_DIRS="$prefix/share:/usr/share" \
        QML2_IMPORT_PATH="$prefix/$qml" plasmashell --no-respawn
    PLASMA=$E2E_SPAWNED
    e2e_wait_for 120 plasma_ready "$1" || { E2E_WHY=$(tail -n 3 "$E2E_TMP/plasmashell.log"); return 1; }
}
plasma_on_bus() { e2e_user_exec "$PLASMA_PYTHON" "$PLASMA_BUS" owned "$1" 2>/dev/null; }
# plasma_ready OUTPUTS: plasmashell answers scripts, with a desktop per screen and its panel.
plasma_ready() { [ "$(plasma_script 'print(desktops().length + " " + panels().length)' 2>/dev/null)" = "$1 1" ]; }

# plasma_script JS: runs a desktop script in plasmashell, printing what it prints.
plasma_script() { e2e_user_exec "$PLASMA_PYTHON" "$PLASMA_BUS" script "$1"; }
# plasma_wallpaper ID: every desktop's wallpaper plugin.
plasma_wallpaper() { plasma_script "var d = desktops(); for (var i = 0; i < d.length; i++) d[i].wallpaperPlugin = '$1';" >/dev/null; }
# plasma_shot FILE [OUTPUT]: a picture of a screen (the active one unless named).
plasma_shot() { e2e_user_exec "$PLASMA_PYTHON" "$PLASMA_BUS" shot "$1" ${2:+"$2"}; }

# plasma_renderers: the pids of plasmashell's live norvex renderers, one a line.
plasma_renderers() { ps -o pid=,stat=,comm= --ppid "$PLASMA" | awk '$3 == "norvex" && $2 !~ /^Z/ {print $1}'; }
plasma_renderer_count() { test "$(plasma_renderers | wc -l)" -eq "$1"; }
