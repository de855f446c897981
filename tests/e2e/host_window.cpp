// A plain X window for the end-to-end tests to host norvex in, as a saver's
// settings dialog hosts its preview: host_window WIDTH HEIGHT [--no-depth].
// Prints the window's ID once it is mapped, then keeps it until SIGTERM; the
// window goes with the connection.
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: host_window WIDTH HEIGHT [--no-depth]\n");
        return 2;
    }
    const bool depth = !(argc > 3 && std::strcmp(argv[3], "--no-depth") == 0);
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return 1;
    int attributes[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_DEPTH_SIZE, depth ? 16 : 0, None};
    XVisualInfo* visual = glXChooseVisual(display, DefaultScreen(display), attributes);
    int depthBits = -1;
    if (visual) glXGetConfig(display, visual, GLX_DEPTH_SIZE, &depthBits);
    if (visual == nullptr || (depthBits == 0) == depth) {
        std::fprintf(stderr, "host_window: no double-buffered visual %s a depth buffer\n", depth ? "with" : "without");
        return 3;
    }
    const Window root = RootWindow(display, visual->screen);
    XSetWindowAttributes set {};
    set.colormap = XCreateColormap(display, root, visual->visual, AllocNone);
    set.background_pixel = 0;  // black until someone draws
    set.border_pixel = 0;
    const Window window = XCreateWindow(display, root, 0, 0, static_cast<unsigned>(std::atoi(argv[1])),
                                        static_cast<unsigned>(std::atoi(argv[2])), 0, visual->depth, InputOutput,
                                        visual->visual, CWColormap | CWBackPixel | CWBorderPixel, &set);
    XStoreName(display, window, "norvex host");
    XMapWindow(display, window);
    XSync(display, False);
    std::printf("0x%lx\n", window);
    std::fflush(stdout);
    std::signal(SIGTERM, [](int) { _exit(0); });
    for (;;) pause();
}
