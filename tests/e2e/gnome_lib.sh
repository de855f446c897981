# Helpers for end-to-end tests under a real headless GNOME Shell, run as E2E_USER on private
# buses with its D-Bus calls opened (--unsafe-mode): the extension installed, Eval, pictures of
# an area, the norvex processes it runs. Source it after lib.sh and wayland_lib.sh.
GNOME_UUID=norvex@norvex.invalid

# gnome_install NORVEX: the program's install component, the extension with
# it, under a prefix of its own ($GNOME_PREFIX), with NORVEX as the norvex in
# its bin folder, not on PATH.
gnome_install() {
    GNOME_PREFIX=$E2E_TMP/prefix
    cmake --install "${NORVEX_BUILD:?}" --component norvex --prefix "$GNOME_PREFIX" >/dev/null &&
        install -D -m 755 "$1" "$GNOME_PREFIX/bin/norvex" && chmod -R a+rX "$GNOME_PREFIX"
}

# gnome_start_shell LOG SHELL-ARGS...: the buses (once), the extension enabled
# in GSettings, then gnome-shell with these arguments; waits until its start-up
# is over and the overview hidden. GNOME_SHELL is its pid; 1, with E2E_WHY, when it does not come.
gnome_start_shell() {
    local log=$E2E_TMP/$1.log runtime=$E2E_TMP/runtime; shift
    if [ "${DBUS_SESSION_BUS_ADDRESS:-}" != "unix:path=$runtime/bus" ]; then
        mkdir -p "$runtime" "$E2E_TMP/shots" && chmod 700 "$runtime" && chmod 777 "$E2E_TMP/shots" &&
            chown "$E2E_USER:" "$runtime" || return 1
        export XDG_RUNTIME_DIR=$runtime XDG_DATA_DIRS=$GNOME_PREFIX/share:/usr/share WAYLAND_DISPLAY=wayland-0
        for bus in sysbus bus; do e2e_track "$(e2e_user_exec dbus-daemon --session --address="unix:path=$runtime/$bus" --fork --print-pid)"; done
        export DBUS_SYSTEM_BUS_ADDRESS=unix:path=$runtime/sysbus DBUS_SESSION_BUS_ADDRESS=unix:path=$runtime/bus
        e2e_user_exec gsettings set org.gnome.shell enabled-extensions "['$GNOME_UUID']" &&
            e2e_user_exec gsettings set org.gnome.shell disable-user-extensions false || return 1
    fi
    e2e_user_spawn "$log" env -u WAYLAND_DISPLAY -u DISPLAY gnome-shell --headless --wayland --no-x11 --unsafe-mode "$@"
    GNOME_SHELL=$E2E_SPAWNED
    e2e_wait_for 60 gnome_eval_is false 'Main.layoutManager._startingUp' &&
        e2e_wait_for 20 gnome_eval_is false 'Main.overview.hide(); Main.overview.visible || Main.overview.animationInProgress' ||
        { E2E_WHY=$(tail -n 3 "$log"); return 1; }
}

# gnome_eval JS: prints what the shell's Eval answers for the expression (a JSON text), or fails.
gnome_eval() {
    local out
    out=$(e2e_user_exec gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
        --method org.gnome.Shell.Eval "$1" 2>/dev/null) && [[ $out == "(true, '"*"')" ]] && out=${out#"(true, '"} && echo "${out%"')"}"
}
gnome_eval_is() { [ "$(gnome_eval "$2")" = "$1" ]; }

# gnome_shot X Y W H FILE: a picture of that area of the stage.
gnome_shot() {
    e2e_user_exec gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell/Screenshot \
        --method org.gnome.Shell.Screenshot.ScreenshotArea "$1" "$2" "$3" "$4" false "$5" >/dev/null
}
# gnome_area_shows city|scene X Y W H; gnome_area_changes X Y W H SECONDS: as
# e2e_output_shows and e2e_output_changes, for an area of the stage.
gnome_area_shows() { gnome_shot "${@:2}" "$E2E_TMP/shots/area.png" && e2e_picture_shows "$1" "$E2E_TMP/shots/area.png"; }
gnome_area_changes() {
    gnome_shot "${@:1:4}" "$E2E_TMP/shots/a.png" && sleep "$5" && gnome_shot "${@:1:4}" "$E2E_TMP/shots/b.png" &&
        e2e_pictures_differ "$E2E_TMP/shots/a.png" "$E2E_TMP/shots/b.png"
}

# gnome_renderers [PARENT]: the norvex processes of that shell ($GNOME_SHELL
# unless told), one "PID STATE ARGS" a line; every one of the user's with "all".
gnome_renderers() {
    if [ "${1:-}" = all ]; then ps -o pid=,stat=,args= -u "$E2E_USER"; else ps -o pid=,stat=,args= --ppid "${1:-$GNOME_SHELL}"; fi |
        awk '$2 !~ /^Z/ && $3 ~ /norvex$/'
}
# gnome_renderer INDEX: the pid of the renderer of monitor INDEX (its seed is INDEX + 1).
gnome_renderer() { gnome_renderers | awk -v seed="--seed $(($1 + 1)) " '$0 ~ seed {print $1}'; }
gnome_no_renderer() { [ -z "$(gnome_renderers "${1:-all}")" ]; }
gnome_extensions() { e2e_user_exec gnome-extensions "$@" "$GNOME_UUID"; }
