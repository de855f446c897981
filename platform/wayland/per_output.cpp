// Children are forked before this process has made any OpenGL, EGL or scene
// state: each starts from the pristine world and makes its own connection,
// and binds its output by the registry name, which is the same for every
// client. SIGCHLD, SIGINT and SIGTERM all wake the one poll() this process
// sleeps in, beside the compositor's socket.
#include "platform/wayland/per_output.h"

#include <sys/wait.h>
#include <unistd.h>
#include <poll.h>
#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <iterator>

#include "platform/quit_signals.h"
#include "platform/wayland/connection.h"
#include "wlr-layer-shell-unstable-v1-client-protocol.h"

namespace plat {
namespace {

constexpr int kWithdrawnExit = 3;  // a child's exit code: its output went away, no fault

struct Output {
    uint32_t name = 0;     // registry name of the wl_output; 0: a free slot
    pid_t child = 0;       // the process drawing it; 0: none now
    bool started = false;  // a child was started for it (never a second: no restart loops)
    bool ending = false;   // its output went away or the run is over: the child was told to end,
                           // and the slot is freed once it is collected
    uint64_t killAt = 0;   // ms (monotonic): an ending child still there then gets SIGKILL; 0: none due
};

struct Watch {
    LayerRole role = LayerRole::Wallpaper;
    const char* option = "--wallpaper";
    bool hasLayerShell = false;
    Output outputs[MAX_OUTPUTS];
};

Output* Find(Watch& watch, uint32_t name, pid_t child)
{
    for (Output& o : watch.outputs)
        if ((name != 0 && o.name == name) || (child != 0 && o.child == child)) return &o;
    return nullptr;
}

uint64_t NowMs()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
}

// SIGTERM: the child ends after its frame, cleaning up; one in a long frame
// (the first, while the driver compiles) gets SIGKILL after CHILD_STOP_WAIT_MS.
void TellToEnd(Output& o)
{
    if (o.ending) return;
    o.ending = true;
    if (o.child == 0) return;
    kill(o.child, SIGTERM);
    o.killAt = NowMs() + CHILD_STOP_WAIT_MS;
}

void KillOverdue(Watch& watch)
{
    const uint64_t now = NowMs();
    for (Output& o : watch.outputs)
        if (o.child != 0 && o.killAt != 0 && now >= o.killAt) {
            kill(o.child, SIGKILL);
            o.killAt = 0;
        }
}

// ms until the next SIGKILL is due, for poll(); -1: none.
int WaitMs(const Watch& watch)
{
    uint64_t next = 0;
    for (const Output& o : watch.outputs)
        if (o.child != 0 && o.killAt != 0 && (next == 0 || o.killAt < next)) next = o.killAt;
    if (next == 0) return -1;
    const uint64_t now = NowMs();
    return next > now ? static_cast<int>(next - now) : 0;
}

void OnGlobal(void* data, wl_registry*, uint32_t name, const char* interface, uint32_t)
{
    Watch& watch = *static_cast<Watch*>(data);
    if (std::strcmp(interface, zwlr_layer_shell_v1_interface.name) == 0) watch.hasLayerShell = true;
    if (std::strcmp(interface, wl_output_interface.name) != 0) return;
    Output* slot = std::find_if(std::begin(watch.outputs), std::end(watch.outputs),
                                [](const Output& o) { return o.name == 0; });
    if (slot == std::end(watch.outputs)) {
        std::fprintf(stderr, "norvex: more than %d outputs; output %u stays without\n", MAX_OUTPUTS, name);
        return;
    }
    *slot = Output{};
    slot->name = name;
}

void OnGlobalRemove(void* data, wl_registry*, uint32_t name)
{
    Output* o = Find(*static_cast<Watch*>(data), name, 0);
    if (o == nullptr) return;
    TellToEnd(*o);  // its surface is closed as well: either ends it
    if (o->child == 0) *o = Output{};
}

constexpr wl_registry_listener kWatchListener = {.global = OnGlobal, .global_remove = OnGlobalRemove};

// Forks the child for one output. In the child: the parent's connection and
// wake-up pipe are dropped (signals are held meanwhile, so none is lost),
// `draw` runs, and the child ends by its exit code or its stop signal.
bool StartChild(Watch& watch, Output& output, wl_display* display, wl_registry* registry, const OutputMain& draw)
{
    std::fflush(nullptr);  // nothing buffered is written twice
    sigset_t held, previous;
    sigemptyset(&held);
    for (int number : {SIGINT, SIGTERM, SIGCHLD}) sigaddset(&held, number);
    sigprocmask(SIG_BLOCK, &held, &previous);
    const pid_t pid = fork();
    if (pid == 0) {
        wl_registry_destroy(registry);
        wl_display_disconnect(display);
        std::signal(SIGCHLD, SIG_DFL);
        quit::StartAfresh();
        quit::Catch();
        sigprocmask(SIG_SETMASK, &previous, nullptr);
        const HostEvent end = draw(output.name, watch.role);
        if (const int number = quit::Caught()) quit::EndBySignal(number);
        std::fflush(nullptr);
        _exit(end == HostEvent::Dismissed ? 0 : end == HostEvent::Withdrawn ? kWithdrawnExit : 1);
    }
    sigprocmask(SIG_SETMASK, &previous, nullptr);
    if (pid < 0) {
        std::fprintf(stderr, "norvex: cannot start a process for output %u: %s\n", output.name, std::strerror(errno));
        return false;
    }
    output.child = pid;
    output.started = true;
    return true;
}

// Collects every child that has ended. Returns -1 to go on, or the run's exit
// code: 0 when an overlay was dismissed, 1 when a child failed (it said why)
// or was killed.
int CollectEnded(Watch& watch)
{
    int result = -1;
    int status = 0;
    pid_t pid;
    while ((pid = waitpid(-1, &status, WNOHANG)) > 0) {
        Output* o = Find(watch, 0, pid);
        if (o == nullptr) continue;
        o->child = 0;
        if (o->ending) {  // told to end
            *o = Output{};
            continue;
        }
        if (WIFEXITED(status) && WEXITSTATUS(status) == kWithdrawnExit) continue;
        if (WIFSIGNALED(status))
            std::fprintf(stderr, "norvex: the process drawing output %u was ended by signal %d (%s)\n", o->name,
                         WTERMSIG(status), strsignal(WTERMSIG(status)));
        result = std::max(result, WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : 1);
    }
    return result;
}

bool AnyChild(const Watch& watch)
{
    return std::any_of(std::begin(watch.outputs), std::end(watch.outputs), [](const Output& o) { return o.child; });
}

// Every child told to end, and all collected (none is left a zombie).
void EndChildren(Watch& watch)
{
    for (Output& o : watch.outputs) TellToEnd(o);
    for (;;) {
        CollectEnded(watch);
        if (!AnyChild(watch)) return;
        KillOverdue(watch);
        pollfd wake = {quit::WakeFd(), POLLIN, 0};  // SIGCHLD writes here
        if (poll(&wake, 1, WaitMs(watch)) > 0) quit::DrainWake();
    }
}

}  // namespace

int RunPerOutput(LayerRole role, const OutputMain& draw)
{
    Watch watch;
    watch.role = role;
    watch.option = role == LayerRole::Overlay ? "--overlay" : "--wallpaper";
    if (!quit::Catch()) return 1;
    quit::WakeOn(SIGCHLD);
    wl_display* display = wl::Connect(watch.option);
    if (display == nullptr) return 1;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kWatchListener, &watch);

    int exitCode = -1;  // running
    if (wl_display_roundtrip(display) < 0) {
        wl::SayLost(display);
        exitCode = 1;
    } else if (!watch.hasLayerShell) {
        std::fprintf(stderr,
                     "norvex: %s needs the layer-shell protocol (%s), and this Wayland compositor lacks it; "
                     "sway, KDE Plasma, Hyprland, wayfire and river have it, GNOME does not\n",
                     watch.option, zwlr_layer_shell_v1_interface.name);
        exitCode = 1;
    }
    while (exitCode < 0 && !quit::Caught()) {
        for (Output& o : watch.outputs)
            if (o.name != 0 && !o.ending && !o.started && !StartChild(watch, o, display, registry, draw))
                exitCode = 1;
        if (exitCode >= 0) break;
        if (wl::WaitAndDispatch(display, WaitMs(watch)) == wl::Wait::Lost) {
            wl::SayLost(display);
            exitCode = 1;
        }
        KillOverdue(watch);
        exitCode = std::max(exitCode, CollectEnded(watch));
    }
    EndChildren(watch);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    if (const int number = quit::Caught()) quit::EndBySignal(number);
    return exitCode;
}

}  // namespace plat
