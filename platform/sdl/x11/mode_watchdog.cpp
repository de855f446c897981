// The display-mode watchdog: a forked child holding one end of a socket pair.
// The demo sends one byte when it has restored the mode itself; end of file
// without that byte means the demo died, and the child puts the recorded CRTC
// configuration and screen size back through its own X connection.
#include "platform/sdl/x11/mode_watchdog.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <initializer_list>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace plat::watchdog {
namespace {

constexpr int kMaxCrtcs = 16;
constexpr int kMaxOutputs = 8;
constexpr int kReadyTimeoutMs = 2000;  // a child that cannot record by then is dropped
constexpr char kReady = 'W';           // child -> demo: modes recorded, watching
constexpr char kRestored = 'R';        // demo -> child: the desktop mode is back

struct CrtcState {
    RRCrtc crtc;
    RRMode mode;  // None: switched off
    int x, y;
    Rotation rotation;
    int outputCount;
    RROutput outputs[kMaxOutputs];
};

struct ScreenState {
    int width, height;        // pixels
    int widthMM, heightMM;    // millimetres
    int crtcCount;
    CrtcState crtcs[kMaxCrtcs];
};

pid_t g_child = -1;
int g_socket = -1;

// X errors during a restore are not fatal: whatever can be put back is.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }
// The default handler would call exit(), running the demo's exit handlers here.
int LeaveOnIoError(Display*) { _exit(1); }

bool Record(ScreenState* state)
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return false;
    int eventBase = 0, errorBase = 0;
    XRRScreenResources* resources = nullptr;
    if (XRRQueryExtension(display, &eventBase, &errorBase))
        resources = XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
    if (resources == nullptr) {
        XCloseDisplay(display);
        return false;
    }
    const int screen = DefaultScreen(display);
    state->width = DisplayWidth(display, screen);
    state->height = DisplayHeight(display, screen);
    state->widthMM = DisplayWidthMM(display, screen);
    state->heightMM = DisplayHeightMM(display, screen);
    state->crtcCount = 0;
    for (int i = 0; i < resources->ncrtc && state->crtcCount < kMaxCrtcs; ++i) {
        XRRCrtcInfo* info = XRRGetCrtcInfo(display, resources, resources->crtcs[i]);
        if (info == nullptr) continue;
        CrtcState& c = state->crtcs[state->crtcCount++];
        c = CrtcState{resources->crtcs[i], info->mode, info->x, info->y, info->rotation, 0, {}};
        for (int o = 0; o < info->noutput && o < kMaxOutputs; ++o) c.outputs[c.outputCount++] = info->outputs[o];
        XRRFreeCrtcInfo(info);
    }
    XRRFreeScreenResources(resources);
    XCloseDisplay(display);
    return true;
}

// Puts the recorded configuration back; true when something had to change.
bool Restore(const ScreenState& saved)
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return false;
    XSetErrorHandler(IgnoreXError);
    const ::Window root = DefaultRootWindow(display);
    XGrabServer(display);
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root);
    bool changed = false;
    if (resources != nullptr) {
        // CRTCs not as recorded go dark first, so that the screen may change size.
        bool differs[kMaxCrtcs] = {};
        for (int i = 0; i < saved.crtcCount; ++i) {
            const CrtcState& c = saved.crtcs[i];
            XRRCrtcInfo* now = XRRGetCrtcInfo(display, resources, c.crtc);
            if (now == nullptr) continue;
            differs[i] = now->mode != c.mode || now->x != c.x || now->y != c.y || now->rotation != c.rotation;
            XRRFreeCrtcInfo(now);
            if (differs[i]) XRRSetCrtcConfig(display, resources, c.crtc, CurrentTime, 0, 0, None, RR_Rotate_0, nullptr, 0);
        }
        const int screen = DefaultScreen(display);
        if (DisplayWidth(display, screen) != saved.width || DisplayHeight(display, screen) != saved.height) {
            XRRSetScreenSize(display, root, saved.width, saved.height, saved.widthMM, saved.heightMM);
            changed = true;
        }
        for (int i = 0; i < saved.crtcCount; ++i) {
            if (!differs[i]) continue;
            const CrtcState& c = saved.crtcs[i];
            RROutput outputs[kMaxOutputs];
            for (int o = 0; o < c.outputCount; ++o) outputs[o] = c.outputs[o];
            XRRSetCrtcConfig(display, resources, c.crtc, CurrentTime, c.x, c.y, c.mode, c.rotation,
                             c.mode == None ? nullptr : outputs, c.mode == None ? 0 : c.outputCount);
            changed = true;
        }
        XRRFreeScreenResources(resources);
    }
    XUngrabServer(display);
    XSync(display, False);
    XCloseDisplay(display);
    return changed;
}

// The child: holds nothing of the demo's but its end of the socket pair (an
// inherited X or GL descriptor would keep the demo's resources alive after it
// died), and leaves with _exit so that none of the demo's exit handlers run.
[[noreturn]] void RunChild(int fd)
{
    prctl(PR_SET_NAME, kProcessName);
    for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE}) signal(sig, SIG_IGN);  // it ends with the demo
    signal(SIGALRM, SIG_DFL);
    const int nul = open("/dev/null", O_RDWR);
    if (nul >= 0) {
        dup2(nul, STDIN_FILENO);
        dup2(nul, STDOUT_FILENO);
    }
    if (dup2(fd, 3) != 3) _exit(1);
    close_range(4, ~0u, 0);
    fd = 3;
    XSetIOErrorHandler(LeaveOnIoError);

    ScreenState saved;
    const bool recorded = Record(&saved);
    const char ready = recorded ? kReady : 0;
    if (write(fd, &ready, 1) != 1 || !recorded) _exit(0);

    char message = 0;
    ssize_t n;
    do n = read(fd, &message, 1);
    while (n < 0 && errno == EINTR);
    if (n == 1 && message == kRestored) _exit(0);

    alarm(1);  // a hung X server must not keep this process beyond the demo
    if (Restore(saved)) std::fprintf(stderr, "%s: the desktop's display mode restored\n", kProcessName);
    _exit(0);
}

void Reap(pid_t pid)
{
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {}
}

}  // namespace

void Arm()
{
    if (g_child > 0) return;
    int fds[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0) return;
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        RunChild(fds[1]);
    }
    close(fds[1]);
    if (pid < 0) {
        close(fds[0]);
        return;
    }
    // The switch must not come before the record of the desktop's modes.
    pollfd p{fds[0], POLLIN, 0};
    int polled;
    do polled = poll(&p, 1, kReadyTimeoutMs);
    while (polled < 0 && errno == EINTR);
    char ready = 0;
    if (polled == 1 && read(fds[0], &ready, 1) == 1 && ready == kReady) {
        g_child = pid;
        g_socket = fds[0];
        return;
    }
    close(fds[0]);  // not watching: the child leaves on its own or on end of file
    if (polled != 1) kill(pid, SIGKILL);
    Reap(pid);
}

void Disarm()
{
    if (g_child <= 0) return;
    send(g_socket, &kRestored, 1, MSG_NOSIGNAL);  // a child already gone must not raise SIGPIPE here
    close(g_socket);
    Reap(g_child);
    g_child = -1;
    g_socket = -1;
}

int ChildPid() { return g_child; }

}  // namespace plat::watchdog
