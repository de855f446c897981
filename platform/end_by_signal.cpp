// Restores a signal's default action and raises it, after flushing what the
// standard streams still hold.
#include "platform/end_by_signal.h"

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace plat {

void EndBySignal(int signal)
{
    std::fflush(nullptr);
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, signal);
    sigprocmask(SIG_UNBLOCK, &set, nullptr);
    std::raise(signal);
    _exit(128 + signal);
}

}  // namespace plat
