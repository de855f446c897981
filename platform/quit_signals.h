// SIGINT and SIGTERM as a request to quit, for the parts of the layer that must
// end cleanly on either while they wait: a message box up, a screen saver's
// loop. The handler only notes the signal and wakes whoever polls WakeFd().
// A program stopped that way ends by the same signal once it has cleaned up:
// daemons and shells read a death by SIGTERM or SIGINT as the normal end of a
// program they stopped, and status 0 after such a signal as an abnormal one.
#pragma once

#include <csignal>

namespace plat::quit {

// The actions in force before Catch, for Release.
struct PreviousActions {
    struct sigaction interrupt {};
    struct sigaction terminate {};
};

// Catches SIGINT and SIGTERM from now on, except one the process was started
// with ignored: it stays ignored, as a daemon that ignores it expects. False,
// with the reason on stderr, when there is no pipe to wake a poller with.
bool Catch(PreviousActions* previous = nullptr);
// In a child just forked: a wake-up pipe of its own, and nothing caught yet.
void StartAfresh();
// Also wakes WakeFd on this signal (SIGCHLD, for a process with children),
// without counting it as a quit.
void WakeOn(int signal);
// Puts back the actions Catch found.
void Release(const PreviousActions& previous);
// The first quit signal that arrived, 0 when none.
int Caught();
// Readable once a quit signal has arrived (or Wake was called); -1 until Catch.
int WakeFd();
// Wakes a poller of WakeFd without a signal.
void Wake();
// Empties the wake-up pipe once its news has been read.
void DrainWake();
// Puts the signal's default action back, unblocks it and raises it, once the
// caller has cleaned up. Does not return (were the signal somehow still held
// back, the process leaves with status 128 + signal, as a shell reports it).
[[noreturn]] void EndBySignal(int signal);

}  // namespace plat::quit
