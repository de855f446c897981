// norvex and the D-Bus session bus. Where the environment names no session bus,
// libdbus (which SDL's video uses) and GDBus (in the GTK message-box helper SDL
// may run, zenity) start one of their own: dbus-launch and a bus daemon, which
// stay on the X display after norvex has ended, one more pair each run. On such
// a machine there is no bus with anything on it that norvex could use.
#pragma once

namespace plat::session_bus {

// Where DBUS_SESSION_BUS_ADDRESS is unset and the user has no bus socket at
// $XDG_RUNTIME_DIR/bus, sets the variable to an address no library connects
// to, so that both give up at once and quietly. Changes the environment:
// call before SDL's video or a message box starts, with one thread running.
void KeepFromLaunching();

}  // namespace plat::session_bus
