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

#include "platform/gl11/fixed_function.h"
#include "platform/gl11_route/route.h"
#include "platform/quit_signals.h"
#include "platform/x11/glx_es_context.h"

namespace plat {

// Xlib calls its error handler on this thread, from inside our own calls; it
// tells the window attached now what it learnt of the host.
struct XErrors {
    static inline ForeignWindow* attached = nullptr;

    static int OnError(Display* display, XErrorEvent* e)
    {
        ForeignWindow* w = attached;
        if (w == nullptr) return 0;
        if (w->id != 0 && e->resourceid == w->id) {
            w->host_.gone = true;
            return 0;
        }
        if (!w->errorReported_ && !w->host_.gone) {  // once: the picture may suffer, the host does not
            char text[160] = {};
            XGetErrorText(display, e->error_code, text, sizeof text);
            std::fprintf(stderr, "norvex: X error ignored: %s (request %d.%d)\n", text, e->request_code,
                         e->minor_code);
            w->errorReported_ = true;
        }
        return 0;
    }
};

namespace {

// Xlib ends the process once this returns, so leave here, without running
// exit handlers that might talk to the dead server again.
int OnXIOError(Display*)
{
    static constexpr char kText[] = "norvex: lost the connection to the X server\n";
    [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, kText, sizeof kText - 1);
    _exit(1);
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
    if (x11::HasExtension(extensions, "GLX_EXT_swap_control")) {
        if (auto set = Lookup<PFNGLXSWAPINTERVALEXTPROC>("glXSwapIntervalEXT")) return set(display, drawable, 1);
    }
    if (x11::HasExtension(extensions, "GLX_MESA_swap_control")) {
        if (auto set = Lookup<PFNGLXSWAPINTERVALMESAPROC>("glXSwapIntervalMESA")) return void(set(1));
    }
    if (x11::HasExtension(extensions, "GLX_SGI_swap_control")) {
        if (auto set = Lookup<PFNGLXSWAPINTERVALSGIPROC>("glXSwapIntervalSGI")) return void(set(1));
    }
}

// --- Attaching, step by step: each says on stderr why it failed --------------------
Display* OpenDisplay()
{
    Display* display = XOpenDisplay(nullptr);
    if (display != nullptr) return display;
    const char* name = XDisplayName(nullptr);
    if (name[0] == '\0') std::fprintf(stderr, "norvex: no X display to draw on: DISPLAY is not set\n");
    else std::fprintf(stderr, "norvex: cannot open the X display '%s'\n", name);
    return nullptr;
}

// The host's size, visual and screen. A daemon stopping its hack as it starts
// destroys the window too: that is no news to report.
bool ReadHost(Display* display, ::Window window, XWindowAttributes* attributes)
{
    if (XGetWindowAttributes(display, window, attributes)) return true;
    if (!quit::Caught())
        std::fprintf(stderr, "norvex: there is no window 0x%lx on the X display '%s'\n", window,
                     DisplayString(display));
    return false;
}

// The visual the host chose, when OpenGL can draw with it (a saver daemon
// picks a double-buffered one with depth for OpenGL hacks): null, said on
// stderr, when it cannot. A visual without depth is said and drawn with.
XVisualInfo* VisualForHost(Display* display, ::Window window, const XWindowAttributes& attributes)
{
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
        return nullptr;
    }
    glXGetConfig(display, visual, GLX_DEPTH_SIZE, &depth);
    if (depth == 0)
        std::fprintf(stderr, "norvex: the window's visual 0x%lx has no depth buffer; drawing without one\n",
                     wanted.visualid);
    return visual;
}

// Our own event mask on the host, not the host's: its size and its end reach
// us. Then the context made current on it.
bool MakeCurrent(Display* display, ::Window window, GLXContext context)
{
    XSelectInput(display, window, StructureNotifyMask);
    if (glXMakeCurrent(display, window, context)) return true;
    std::fprintf(stderr, "norvex: glXMakeCurrent failed for the window 0x%lx\n", window);
    return false;
}

// A context current on the host with the scene's calls routed for it: ES 3
// with the layer where batched drawing is asked for and can be had, else one
// for the fixed function (said once). Null when neither can draw.
GLXContext AttachContext(Display* display, ::Window window, const XWindowAttributes& host, Renderer renderer)
{
    XVisualInfo* visual = VisualForHost(display, window, host);
    if (visual == nullptr) return nullptr;
    if (renderer == Renderer::Batched) {
        const char* why = "glXMakeCurrent failed";
        GLXContext es = x11::CreateEsContext(display, host, &why);
        if (es && MakeCurrent(display, window, es)) {
            if (gl11route::Start(true)) {
                XFree(visual);
                return es;
            }
            why = gl11::OpenError();
            glXMakeCurrent(display, None, nullptr);
        }
        if (es) glXDestroyContext(display, es);
        gl11route::SayFixed("norvex", why);
    }
    GLXContext context = glXCreateContext(display, visual, nullptr, True);
    XFree(visual);
    if (context == nullptr) std::fprintf(stderr, "norvex: glXCreateContext failed for the window 0x%lx\n", window);
    if (context && MakeCurrent(display, window, context) && gl11route::Start(false)) return context;
    if (context) glXDestroyContext(display, context);
    return nullptr;
}

}  // namespace

bool ForeignWindow::Attach(uint32_t requested, Renderer renderer)
{
    Detach();
    quit::Catch();  // first: a daemon may stop its hack while it is still starting
    XSetErrorHandler(XErrors::OnError);
    XSetIOErrorHandler(OnXIOError);
    Display* display = OpenDisplay();
    if (display == nullptr) return false;
    display_ = display;
    XErrors::attached = this;
    id = requested != 0 ? requested : static_cast<uint32_t>(RootWindow(display, DefaultScreen(display)));
    host_ = {};

    XWindowAttributes host {};
    if (ReadHost(display, id, &host)) context_ = AttachContext(display, id, host, renderer);
    if (context_ && StillThere()) {
        width = host.width;
        height = host.height;
        WaitForRefresh(display, XScreenNumberOfScreen(host.screen), id);
        return true;
    }
    Detach();
    return false;
}

// The host not destroyed while we were attaching: the server has answered all
// we asked, and any error about the window has come.
bool ForeignWindow::StillThere()
{
    XSync(static_cast<Display*>(display_), False);
    if (!host_.gone) return true;
    if (!quit::Caught()) std::fprintf(stderr, "norvex: the window 0x%x was destroyed\n", id);
    return false;
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
            host_.gone = true;
        } else if (e.type == ConfigureNotify && e.xconfigure.window == id &&
                   (e.xconfigure.width != width || e.xconfigure.height != height)) {
            width = e.xconfigure.width;
            height = e.xconfigure.height;
            resized = true;
        }
    }
    if (host_.gone) {
        if (!host_.goneSaid) std::fprintf(stderr, "norvex: the window 0x%x was destroyed\n", id);
        host_.goneSaid = true;
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
    gl11route::Flush();
    if (display_ && !host_.gone) glXSwapBuffers(static_cast<Display*>(display_), id);
}

void ForeignWindow::Detach()
{
    Display* display = static_cast<Display*>(display_);
    if (display == nullptr) return;
    if (context_) {
        gl11route::Stop();
        glXMakeCurrent(display, None, nullptr);
        glXDestroyContext(display, static_cast<GLXContext>(context_));
        context_ = nullptr;
    }
    XCloseDisplay(display);
    display_ = nullptr;
    XErrors::attached = nullptr;
    id = 0;
}

}  // namespace plat
