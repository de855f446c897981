#!/usr/bin/env bash
# The frame-rate cap follows the power source: power supplies of the test's
# own bound over /sys/class/power_supply in a mount namespace of its own, and
# a power-profiles-daemon stand-in on a private system bus whose profile is
# read from a file. Frames counted from the swaps by Mesa's counter in a
# 64x48 window, where the batched renderer reaches the 60 of mains here.
set -u
source "${NORVEX_SOURCE:-$(dirname "$0")/../..}/tests/e2e/lib.sh"
NORVEX=$1
if [ -z "${E2E_NS:-}" ]; then
    { [ "$(id -u)" -eq 0 ] && unshare -m true; } 2>/dev/null || e2e_skip "needs root and a mount namespace (unshare -m)"
    E2E_NS=1 exec unshare -m --propagation private bash "$0" "$@"
fi
# Answers Properties.Get of ActiveProfile with the first line of the file argv[1]
# names, and counts the questions, a line each, in the file argv[2] names.
FAKE_PROFILES='import sys
from gi.repository import Gio, GLib
NAME = "net.hadess.PowerProfiles"
XML = "<node><interface name=\"%s\"><property name=\"ActiveProfile\" type=\"s\" access=\"read\"/></interface></node>" % NAME
def active(*_):
    open(sys.argv[2], "a").write("Get\n")
    return GLib.Variant("s", open(sys.argv[1]).read().strip())
def serve(bus, _): bus.register_object("/net/hadess/PowerProfiles", Gio.DBusNodeInfo.new_for_xml(XML).interfaces[0], None, active, None)
Gio.bus_own_name(Gio.BusType.SYSTEM, NAME, Gio.BusNameOwnerFlags.NONE, serve, None, None)
GLib.MainLoop().run()'
e2e_init
PS=$E2E_TMP/ps PROFILE=$E2E_TMP/profile ASKED=$E2E_TMP/asked
mkdir -p "$PS" && mount --bind "$PS" /sys/class/power_supply || { e2e_fail "cannot bind $PS over /sys/class/power_supply"; e2e_finish; }
cat >"$E2E_TMP/bus.conf" <<EOF
<busconfig><type>system</type><listen>unix:path=$E2E_TMP/system_bus</listen><auth>EXTERNAL</auth>
<policy context="default"><allow own="*"/><allow send_destination="*"/><allow receive_sender="*"/></policy></busconfig>
EOF
dbus-daemon --config-file="$E2E_TMP/bus.conf" --nofork >"$E2E_TMP/bus.log" 2>&1 &
e2e_track $!
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=$E2E_TMP/system_bus
echo balanced >"$PROFILE"
/usr/bin/python3 -c "$FAKE_PROFILES" "$PROFILE" "$ASKED" >"$E2E_TMP/profiles.log" 2>&1 &  # Debian's, with python3-gi
e2e_track $!
profile_is() {
    dbus-send --system --print-reply=literal --dest=net.hadess.PowerProfiles /net/hadess/PowerProfiles \
        org.freedesktop.DBus.Properties.Get string:net.hadess.PowerProfiles string:ActiveProfile 2>/dev/null | grep -qw "$1"
}
e2e_wait_for 10 profile_is balanced || { e2e_fail "no power profiles on the private bus: $(cat "$E2E_TMP"/*.log)"; e2e_finish; }
e2e_start_xvfb 640x480x24 || exit 1
supplies() {  # supplies AC_ONLINE BATTERY_STATUS BATTERY_SCOPE; "-": no Mains supply at all
    rm -rf "${PS:?}"/* && mkdir "$PS/BAT0" && echo Battery >"$PS/BAT0/type" && echo "$2" >"$PS/BAT0/status" &&
        echo "$3" >"$PS/BAT0/scope" || return 1
    [ "$1" = - ] || { mkdir "$PS/AC" && echo Mains >"$PS/AC/type" && echo "$1" >"$PS/AC/online"; }
}
within() { awk "BEGIN { exit !(\"$1\" != \"\" && $1 + 0 >= $2 && $1 + 0 <= $3) }"; }
lines() { cat "$dir/fps" 2>/dev/null | wc -l; }
drawn() { [ "$(lines)" -gt 0 ]; }
row=0
while read -r ac battery scope profile low high change low2 high2 args; do
    dir=$E2E_TMP/hud-$((row += 1)) what="row $row, mains ${ac/-/none}, battery $battery ($scope), $profile${args:+, $args}"
    supplies "$ac" "$battery" "$scope" && echo "$profile" >"$PROFILE" && : >"$ASKED" && start=$(date +%s%N) || { e2e_fail "$what: cannot set up"; continue; }
    env $(e2e_hud_env "$dir") "$NORVEX" --windowed --size 64x48 --renderer batched $args 2>"$dir.err" &
    pid=$!
    e2e_track $pid
    if [ "$high" = 0 ]; then  # no frames: the window comes, then nothing is drawn for 5 s, with the CPU idle
        e2e_find_window "$TITLE" 20 >/dev/null && sleep 1 && ticks=$(e2e_cpu_over $pid 4)
        e2e_check "$what: no frames drawn ($(lines) counted), ${ticks:-?} CPU ticks in 4 s" test "$(lines)" = 0 -a "${ticks:-99}" -le 20
    else
        fps=$(e2e_hud_fps "$dir" 3 3)
        e2e_check "$what: $fps frames a second, $low to $high" within "$fps" "$low" "$high"
    fi
    if [ "$change" != - ]; then  # the source changes while it runs: read again within 3 s, the profile's answer 3 s later
        case $change in online=*) echo "${change#*=}" >"$PS/AC/online"; wait=3 ;; *) echo "${change#*=}" >"$PROFILE"; wait=6 ;; esac
        [ "$high" = 0 ] && e2e_check "$what, then $change: drawing again within 6 s" e2e_wait_for 6 drawn
        from=$(lines)
        fps=$(e2e_hud_fps "$dir" $((from + wait)) 3)
        e2e_check "$what, then $change: $fps frames a second from ${wait} s on, $low2 to $high2" within "$fps" "$low2" "$high2"
    fi
    kill -TERM $pid
    # The source is read every 3 s, not every frame; never where --max-fps is given.
    asked=$(wc -l <"$ASKED") ms=$(e2e_ms_since "$start") least=1 most=$(($(e2e_ms_since "$start") / 3000 + 2))
    [ -z "${args##*--max-fps*}" ] && least=0 most=0
    e2e_check "$what: $asked questions for the profile in $ms ms, $least to $most" test "$asked" -ge $least -a "$asked" -le $most
    e2e_check "$what: nothing on stderr" test ! -s "$dir.err"
done <<'ROWS'
1 Charging    System power-saver 25 31 profile=balanced 40 66 --battery-fps 5
1 Charging    System balanced    40 66 online=0 4 6 --battery-fps 5
- Discharging System balanced    4 6   -        - - --battery-fps 5
- Discharging Device balanced    40 66 -        - - --battery-fps 5
0 Discharging System balanced    0 0   online=1 40 66 --battery-fps 0
0 Discharging System power-saver 42 48 -        - - --max-fps 45 --battery-fps 5
ROWS
e2e_finish
