// The modal message box, and the signals that must still end the program while
// it is up. SDL 2.26 shows its box in a child process and waits for it, retrying
// the wait when a signal interrupts it: SIGTERM and SIGINT would wait for the
// user to press Return. While a box is up those two signals take the box down
// instead, and reach the program as SDL_QUIT once the box has returned, the way
// they arrive when no box is up. Where no display could show a box, the text
// goes to stderr without asking SDL, whose fallback helper (zenity) fails there
// while SDL reports the box as shown.
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <poll.h>
#include <thread>
#include <unistd.h>

#include "platform/platform.h"
#include "platform/quit_signals.h"
#include "platform/sdl/display_probe.h"
#include "platform/sdl/sdl_internal.h"
#include "platform/sdl/session_bus.h"
#include "platform/sdl/x11/mode_watchdog.h"

namespace plat {
namespace {

constexpr int kRetryMs = 50;  // a box forked just after the signal is taken down too

std::atomic<bool> g_stop{false};  // the box has returned: the watcher leaves

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
        pollfd wake{quit::WakeFd(), POLLIN, 0};
        poll(&wake, 1, quit::Caught() ? kRetryMs : -1);
        quit::DrainWake();
        if (g_stop) return;
        if (quit::Caught()) EndBoxProcesses();
    }
}

// SDL's box, with SIGINT and SIGTERM taking it down. Returns SDL's result, or
// -1 when a signal ended it.
int ShowInterruptible(const char* text, const char* caption)
{
    session_bus::KeepFromLaunching();  // zenity's GTK would start a bus that outlives us
    quit::PreviousActions previous;
    quit::Catch(&previous);
    if (quit::WakeFd() < 0) {  // no pipe to wake the watcher with: a plain box
        quit::Release(previous);
        return SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, caption, text, nullptr);
    }
    g_stop = false;
    std::thread watcher(Watch);

    const int result = SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, caption, text, nullptr);

    g_stop = true;
    quit::Wake();
    watcher.join();
    quit::Release(previous);
    quit::DrainWake();
    return quit::Caught() ? -1 : result;
}

}  // namespace

void MessageBox(const char* text, const char* caption)
{
    // Once a quit signal has come, no box waits for the user any more.
    const bool quitBefore = quit::Caught() != 0;
    const bool hasDisplay = display::XReachable() || display::WaylandReachable();
    if (!quitBefore && hasDisplay && ShowInterruptible(text, caption) == 0) return;
    // No display, or SDL gave up: the text must still reach the user.
    std::fprintf(stderr, "%s: %s\n", caption, text);
    if (!quitBefore && quit::Caught() != 0 && SDL_WasInit(SDL_INIT_EVENTS)) {
        SDL_Event quit = {};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
    }
}

}  // namespace plat
