// Ending the process by the signal that asked it to stop. Daemons and shells
// read a death by SIGTERM or SIGINT as a normal end of a program they stopped,
// and exit status 0 after such a signal as an abnormal one.
#pragma once

namespace plat {

// Puts the signal's default action back, unblocks it and raises it, once the
// caller has cleaned up. Does not return (were the signal somehow still held
// back, the process leaves with status 128 + signal, as a shell reports it).
[[noreturn]] void EndBySignal(int signal);

}  // namespace plat
