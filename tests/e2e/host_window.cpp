// A plain X window for the saver tests to host norvex in, as a saver's
// settings dialog hosts its preview: host_window WIDTH HEIGHT [--no-depth].
// Prints the window's ID once it is mapped and keeps it until SIGTERM.
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    const bool depth = !(argc > 3 && std::string(argv[3]) == "--no-depth");
    Display* display = XOpenDisplay(nullptr);
    int attributes[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_DEPTH_SIZE, depth ? 16 : 0, None};
    XVisualInfo* visual = display && argc > 2 ? glXChooseVisual(display, DefaultScreen(display), attributes) : nullptr;
    int depthBits = -1;
    if (visual == nullptr || glXGetConfig(display, visual, GLX_DEPTH_SIZE, &depthBits) != 0 || (depthBits == 0) == depth)
        return 1;  // no display, no arguments, or no such visual here
    XSetWindowAttributes set{};
    set.colormap = XCreateColormap(display, RootWindow(display, visual->screen), visual->visual, AllocNone);
    const Window window = XCreateWindow(display, RootWindow(display, visual->screen), 0, 0, std::atoi(argv[1]),
                                        std::atoi(argv[2]), 0, visual->depth, InputOutput, visual->visual,
                                        CWColormap | CWBackPixel | CWBorderPixel, &set);  // black until drawn
    XMapWindow(display, window);
    XSync(display, False);
    std::printf("0x%lx\n", window);
    std::fflush(stdout);
    std::signal(SIGTERM, [](int) { _exit(0); });
    for (;;) pause();
}
