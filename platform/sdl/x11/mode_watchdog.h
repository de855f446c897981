// The desktop's display mode kept safe while the demo runs in another one: a
// small child process records the screen's modes before the switch and, if
// the demo ends without giving the mode back (killed, crashed), restores them.
// Inside the window layer only; no SDL here.
#pragma once

namespace plat::watchdog {

// Name of the child process (its comm), as ps and pgrep show it.
inline constexpr const char* kProcessName = "norvex-watchdog";

// Starts the watchdog before a mode switch and returns once it has recorded
// the modes in force; nothing happens when one is already watching. Without
// an X server with RandR there is nothing to watch and it does nothing.
void Arm();
// The demo has given the desktop mode back itself: the watchdog ends, and is
// reaped before this returns.
void Disarm();
// The watchdog's process id while one is watching, else -1.
int ChildPid();

}  // namespace plat::watchdog
