// The self-pipe behind StopSignal: the handler does only async-signal-safe
// work (a flag and a one-byte write to a non-blocking pipe).
#include "platform/stop_signal.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace plat {
namespace {

volatile std::sig_atomic_t g_stopSignal = 0;
int g_wake[2] = {-1, -1};  // read end, write end

void OnSignal(int number)
{
    const int saved = errno;
    if ((number == SIGINT || number == SIGTERM) && g_stopSignal == 0) g_stopSignal = number;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(g_wake[1], &byte, 1);  // full pipe: already awake
    errno = saved;
}

void Catch(int number, bool keepIgnored)
{
    struct sigaction old {};
    if (keepIgnored && sigaction(number, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) return;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(number, &action, nullptr);
}

}  // namespace

bool CatchStopSignals()
{
    for (int& end : g_wake) {
        if (end >= 0) close(end);
        end = -1;
    }
    g_stopSignal = 0;
    if (pipe2(g_wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        std::fprintf(stderr, "norvex: cannot make a pipe for signals: %s\n", std::strerror(errno));
        g_wake[0] = g_wake[1] = -1;
        return false;
    }
    Catch(SIGINT, true);
    Catch(SIGTERM, true);
    return true;
}

void WakeOnSignal(int number) { Catch(number, false); }

int StopSignal() { return g_stopSignal; }

int SignalWakeFd() { return g_wake[0]; }

void DrainSignalWake()
{
    char bytes[64];
    while (g_wake[0] >= 0 && read(g_wake[0], bytes, sizeof bytes) > 0) {
    }
}

void EndBySignal(int number)
{
    std::fflush(nullptr);
    std::signal(number, SIG_DFL);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, number);
    sigprocmask(SIG_UNBLOCK, &set, nullptr);
    std::raise(number);
    std::_Exit(128 + number);  // not reached: the default action of SIGINT and SIGTERM ends the process
}

}  // namespace plat
