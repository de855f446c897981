// The modal message box, and the signals that must still end the program while
// it is up. SDL 2.26 shows its box in a child process and waits for it, retrying
// the wait when a signal interrupts it: SIGTERM and SIGINT would wait for the
// user to press Return. While a box is up those two signals take the box down
// instead, and reach the program as SDL_QUIT once the box has returned, the way
// they arrive when no box is up. Where no display could show a box, the text
// goes to stderr without asking SDL, whose fallback helper (zenity) fails there
// while SDL reports the box as shown.
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <iterator>
#include <poll.h>
#include <thread>
#include <unistd.h>

#include "platform/display_probe.h"
#include "platform/mode_watchdog.h"
#include "platform/platform.h"
#include "platform/sdl_internal.h"
#include "platform/session_bus.h"

namespace plat {
namespace {

constexpr int kQuitSignals[] = {SIGINT, SIGTERM};
constexpr int kRetryMs = 50;  // a box forked just after the signal is taken down too

static_assert(std::atomic<int>::is_always_lock_free, "read in a signal handler");
std::atomic<int> g_signal{0};     // the quit signal that arrived while a box was up
std::atomic<bool> g_stop{false};  // the box has returned: the watcher leaves
int g_wake[2] = {-1, -1};         // signal handler and box -> watcher

void Wake()
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = write(g_wake[1], &byte, 1);  // a full pipe wakes it as well
}

void OnQuitSignal(int sig)
{
    const int savedErrno = errno;
    g_signal = sig;
    Wake();
    errno = savedErrno;
}

// Kills the processes this one started, the box, but not the display-mode watchdog.
void EndBoxProcesses()
{
    DIR* proc = opendir("/proc");
    if (proc == nullptr) return;
    const pid_t self = getpid();
    while (const dirent* entry = readdir(proc)) {
        char* end = nullptr;
        const long pid = std::strtol(entry->d_name, &end, 10);
        if (end == entry->d_name || *end != '\0' || pid == watchdog::ChildPid()) continue;
        char path[64];
        std::snprintf(path, sizeof path, "/proc/%ld/stat", pid);
        FILE* stat = std::fopen(path, "r");
        if (stat == nullptr) continue;
        long parent = 0;
        // pid (comm) state ppid: the command name may hold spaces, so read past its last ')'.
        char line[512];
        if (std::fgets(line, sizeof line, stat)) {
            const char* close = nullptr;
            for (const char* c = line; *c; ++c)
                if (*c == ')') close = c;
            if (close) std::sscanf(close + 1, " %*c %ld", &parent);
        }
        std::fclose(stat);
        if (parent == self) kill(static_cast<pid_t>(pid), SIGKILL);
    }
    closedir(proc);
}

void Watch()
{
    for (;;) {
        pollfd wake{g_wake[0], POLLIN, 0};
        poll(&wake, 1, g_signal ? kRetryMs : -1);
        char drain[16];
        while (read(g_wake[0], drain, sizeof drain) > 0) {}
        if (g_stop) return;
        if (g_signal) EndBoxProcesses();
    }
}

// SDL's box, with SIGINT and SIGTERM taking it down. Returns SDL's result, or
// -1 when a signal ended it.
int ShowInterruptible(const char* text, const char* caption)
{
    session_bus::KeepFromLaunching();  // zenity's GTK would start a bus that outlives us
    if (pipe2(g_wake, O_CLOEXEC | O_NONBLOCK) != 0)
        return SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, caption, text, nullptr);
    struct sigaction previous[std::size(kQuitSignals)];
    for (size_t i = 0; i < std::size(kQuitSignals); ++i) {
        sigaction(kQuitSignals[i], nullptr, &previous[i]);
        if (previous[i].sa_handler == SIG_IGN) continue;  // started with it ignored: it stays so
        struct sigaction action = {};
        action.sa_handler = OnQuitSignal;
        sigemptyset(&action.sa_mask);
        sigaction(kQuitSignals[i], &action, nullptr);
    }
    g_stop = false;
    std::thread watcher(Watch);

    const int result = SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, caption, text, nullptr);

    g_stop = true;
    Wake();
    watcher.join();
    for (size_t i = 0; i < std::size(kQuitSignals); ++i) sigaction(kQuitSignals[i], &previous[i], nullptr);
    close(g_wake[0]);
    close(g_wake[1]);
    g_wake[0] = g_wake[1] = -1;
    return g_signal ? -1 : result;
}

}  // namespace

void MessageBox(const char* text, const char* caption)
{
    // Once a quit signal has come, no box waits for the user any more.
    const bool quitBefore = g_signal != 0;
    const bool hasDisplay = display::XReachable() || display::WaylandReachable();
    if (!quitBefore && hasDisplay && ShowInterruptible(text, caption) == 0) return;
    // No display, or SDL gave up: the text must still reach the user.
    std::fprintf(stderr, "%s: %s\n", caption, text);
    if (!quitBefore && g_signal != 0 && SDL_WasInit(SDL_INIT_EVENTS)) {
        SDL_Event quit = {};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
    }
}

}  // namespace plat
