// A foreign X window on Xlib and GLX. Xlib's default error handlers end the
// process from deep inside a call (an abort for a BadWindow, exit for a lost
// connection); here an error about the host window means it has gone, and a
// lost connection is said in words before the process leaves.
#include "platform/x11/foreign_window.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "platform/quit_signals.h"

namespace plat {
namespace {

// Xlib calls its error handler on this thread, from inside our own calls.
::Window g_host = 0;       // the window whose errors mean it has gone
bool g_hostGone = false;
bool g_goneReported = false;
bool g_errorReported = false;

int OnXError(Display* display, XErrorEvent* e)
{
    if (g_host != 0 && e->resourceid == g_host) {
        g_hostGone = true;
        return 0;
    }
    if (!g_errorReported && !g_hostGone) {  // once: the picture may suffer, the host does not
        char text[160] = {};
        XGetErrorText(display, e->error_code, text, sizeof text);
        std::fprintf(stderr, "norvex: X error ignored: %s (request %d.%d)\n", text, e->request_code,
                     e->minor_code);
        g_errorReported = true;
    }
    return 0;
}

// Xlib ends the process once this returns, so leave here, without running
// exit handlers that might talk to the dead server again.
int OnXIOError(Display*)
{
    static constexpr char kText[] = "norvex: lost the connection to the X server\n";
    [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, kText, sizeof kText - 1);
    _exit(1);
}

bool HasExtension(const char* list, const char* name)
{
    const size_t length = std::strlen(name);
    for (const char* at = list; at && (at = std::strstr(at, name)) != nullptr; at += length)
        if ((at == list || at[-1] == ' ') && (at[length] == ' ' || at[length] == '\0')) return true;
    return false;
}

template <typename Function>
Function Lookup(const char* name)
{
    return reinterpret_cast<Function>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}

// Swap interval 1 through the first extension the driver offers. Some (a
// software renderer's) accept it and still do not wait: the loop keeps its own
// pace as well.
void WaitForRefresh(Display* display, int screen, GLXDrawable drawable)
{
    const char* extensions = glXQueryExtensionsString(display, screen);
    if (HasExtension(extensions, "GLX_EXT_swap_control")) {
        if (auto set = Lookup<PFNGLXSWAPINTERVALEXTPROC>("glXSwapIntervalEXT")) return set(display, drawable, 1);
    }
    if (HasExtension(extensions, "GLX_MESA_swap_control")) {
        if (auto set = Lookup<PFNGLXSWAPINTERVALMESAPROC>("glXSwapIntervalMESA")) return void(set(1));
    }
    if (HasExtension(extensions, "GLX_SGI_swap_control")) {
        if (auto set = Lookup<PFNGLXSWAPINTERVALSGIPROC>("glXSwapIntervalSGI")) return void(set(1));
    }
}

}  // namespace

bool ForeignWindow::Attach(uint32_t requested)
{
    Detach();
    quit::Catch();  // first: a daemon may stop its hack while it is still starting
    XSetErrorHandler(OnXError);
    XSetIOErrorHandler(OnXIOError);

    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        const char* name = XDisplayName(nullptr);
        if (name[0] == '\0') std::fprintf(stderr, "norvex: no X display to draw on: DISPLAY is not set\n");
        else std::fprintf(stderr, "norvex: cannot open the X display '%s'\n", name);
        return false;
    }
    display_ = display;
    const ::Window window = requested != 0 ? requested : RootWindow(display, DefaultScreen(display));
    g_host = window;
    g_hostGone = false;
    g_goneReported = false;

    XWindowAttributes attributes {};
    // A daemon stopping its hack as it starts destroys the window too: that is
    // no news to report.
    if (!XGetWindowAttributes(display, window, &attributes)) {
        if (!quit::Caught())
            std::fprintf(stderr, "norvex: there is no window 0x%lx on the X display '%s'\n", window,
                         DisplayString(display));
        Detach();
        return false;
    }
    // The context is made for the visual the host chose (a saver daemon picks
    // a double-buffered one with depth for OpenGL hacks).
    XVisualInfo wanted {};
    wanted.visualid = XVisualIDFromVisual(attributes.visual);
    wanted.screen = XScreenNumberOfScreen(attributes.screen);
    int count = 0;
    XVisualInfo* visual = XGetVisualInfo(display, VisualIDMask | VisualScreenMask, &wanted, &count);
    int openGL = 0, rgba = 0, depth = 0;
    if (visual == nullptr || glXGetConfig(display, visual, GLX_USE_GL, &openGL) != 0 || !openGL ||
        glXGetConfig(display, visual, GLX_RGBA, &rgba) != 0 || !rgba) {
        std::fprintf(stderr, "norvex: OpenGL cannot draw to the window 0x%lx (its visual is 0x%lx)\n", window,
                     wanted.visualid);
        if (visual) XFree(visual);
        Detach();
        return false;
    }
    glXGetConfig(display, visual, GLX_DEPTH_SIZE, &depth);
    if (depth == 0)
        std::fprintf(stderr, "norvex: the window's visual 0x%lx has no depth buffer; drawing without one\n",
                     wanted.visualid);
    GLXContext context = glXCreateContext(display, visual, nullptr, True);
    XFree(visual);
    if (context == nullptr) {
        std::fprintf(stderr, "norvex: glXCreateContext failed for the window 0x%lx\n", window);
        Detach();
        return false;
    }
    context_ = context;
    // Our own event mask on it, not the host's: its size and its end reach us.
    XSelectInput(display, window, StructureNotifyMask);
    if (!glXMakeCurrent(display, window, context)) {
        std::fprintf(stderr, "norvex: glXMakeCurrent failed for the window 0x%lx\n", window);
        Detach();
        return false;
    }
    XSync(display, False);
    if (g_hostGone) {  // destroyed while we were attaching
        if (!quit::Caught()) std::fprintf(stderr, "norvex: the window 0x%lx was destroyed\n", window);
        Detach();
        return false;
    }
    id = static_cast<uint32_t>(window);
    width = attributes.width;
    height = attributes.height;
    WaitForRefresh(display, wanted.screen, window);
    return true;
}

HostEvent ForeignWindow::Poll()
{
    if (quit::Caught()) return HostEvent::CloseRequest;
    Display* display = static_cast<Display*>(display_);
    if (display == nullptr) return HostEvent::Gone;
    bool resized = false;
    while (XPending(display) > 0) {
        XEvent e;
        XNextEvent(display, &e);
        if (e.type == DestroyNotify && e.xdestroywindow.window == id) {
            g_hostGone = true;
        } else if (e.type == ConfigureNotify && e.xconfigure.window == id &&
                   (e.xconfigure.width != width || e.xconfigure.height != height)) {
            width = e.xconfigure.width;
            height = e.xconfigure.height;
            resized = true;
        }
    }
    if (g_hostGone) {
        if (!g_goneReported) std::fprintf(stderr, "norvex: the window 0x%x was destroyed\n", id);
        g_goneReported = true;
        return HostEvent::Gone;
    }
    return resized ? HostEvent::Resized : HostEvent::Unchanged;
}

void ForeignWindow::Wait(uint32_t milliseconds)
{
    Display* display = static_cast<Display*>(display_);
    if (display == nullptr || quit::Caught() || XPending(display) > 0) return;
    pollfd ready[2] = {{ConnectionNumber(display), POLLIN, 0}, {quit::WakeFd(), POLLIN, 0}};
    poll(ready, ready[1].fd >= 0 ? 2 : 1, static_cast<int>(milliseconds));
}

void ForeignWindow::Swap()
{
    if (display_ && !g_hostGone) glXSwapBuffers(static_cast<Display*>(display_), id);
}

void ForeignWindow::Detach()
{
    Display* display = static_cast<Display*>(display_);
    if (display == nullptr) return;
    if (context_) {
        glXMakeCurrent(display, None, nullptr);
        glXDestroyContext(display, static_cast<GLXContext>(context_));
        context_ = nullptr;
    }
    XCloseDisplay(display);
    display_ = nullptr;
    g_host = 0;
    id = 0;
}

}  // namespace plat
