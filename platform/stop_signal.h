// SIGINT and SIGTERM as a request to stop: recorded, waking any poll() on
// SignalWakeFd, so a loop that sleeps in poll() hears them at once. After its
// cleanup the process ends by the same signal (EndBySignal), so that a saver
// daemon or a shell sees the usual "killed by SIGTERM", not an exit code.
#pragma once

namespace plat {

// Catches SIGINT and SIGTERM, except one the process was started with ignored
// (a background job's SIGINT), which stays ignored. Called again (in a forked
// child) it starts afresh: a new wake-up pipe, nothing recorded. False, with
// the reason on stderr, when the pipe cannot be made.
bool CatchStopSignals();
// Also wakes SignalWakeFd on this signal (SIGCHLD for a process with
// children), without counting it as a stop.
void WakeOnSignal(int number);
// The first stop signal caught since CatchStopSignals, or 0.
int StopSignal();
// Readable once any caught signal has arrived; -1 before CatchStopSignals.
int SignalWakeFd();
// Empties the wake-up pipe (before looking again at what woke it).
void DrainSignalWake();
// Restores the signal's default action, unblocks it and raises it.
[[noreturn]] void EndBySignal(int number);

}  // namespace plat
