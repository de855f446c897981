// The quit-signal handler and its self-pipe: the one place the layer catches
// SIGINT and SIGTERM itself, and ending by one of them.
#include "platform/quit_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace plat::quit {
namespace {

static_assert(std::atomic<int>::is_always_lock_free, "read in a signal handler");
std::atomic<int> g_caught{0};
int g_wake[2] = {-1, -1};  // handler -> poller; never closed, so a late signal finds it

void OnSignal(int sig)
{
    const int savedErrno = errno;
    int none = 0;
    if (sig == SIGINT || sig == SIGTERM) g_caught.compare_exchange_strong(none, sig);
    Wake();
    errno = savedErrno;
}

void Handle(int sig)
{
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(sig, &action, nullptr);
}

void CatchOne(int sig, struct sigaction* previous)
{
    struct sigaction old {};
    sigaction(sig, nullptr, &old);
    if (previous) *previous = old;
    if (old.sa_handler != SIG_IGN) Handle(sig);  // started with it ignored: it stays so
}

}  // namespace

bool Catch(PreviousActions* previous)
{
    if (g_wake[0] < 0 && pipe2(g_wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        std::fprintf(stderr, "norvex: cannot make a pipe for signals: %s\n", std::strerror(errno));
        g_wake[0] = g_wake[1] = -1;
    }
    CatchOne(SIGINT, previous ? &previous->interrupt : nullptr);
    CatchOne(SIGTERM, previous ? &previous->terminate : nullptr);
    return g_wake[0] >= 0;
}

void StartAfresh()
{
    for (int& end : g_wake) {
        if (end >= 0) close(end);
        end = -1;
    }
    g_caught = 0;
}

void WakeOn(int signal) { Handle(signal); }

void Release(const PreviousActions& previous)
{
    sigaction(SIGINT, &previous.interrupt, nullptr);
    sigaction(SIGTERM, &previous.terminate, nullptr);
}

int Caught() { return g_caught; }

int WakeFd() { return g_wake[0]; }

void Wake()
{
    if (g_wake[1] < 0) return;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = write(g_wake[1], &byte, 1);  // a full pipe wakes the poller as well
}

void DrainWake()
{
    char drain[16];
    while (g_wake[0] >= 0 && read(g_wake[0], drain, sizeof drain) > 0) {}
}

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

}  // namespace plat::quit
