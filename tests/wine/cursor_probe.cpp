// The Wine test's look at the pointer, which no screenshot shows: prints
// "hidden" when the cursor the X server shows now has no visible pixel,
// else "shown" (exit 1 without a display or XFixes).
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <cstdio>

int main()
{
    Display* display = XOpenDisplay(nullptr);
    int event = 0, error = 0;
    XFixesCursorImage* cursor =
        display && XFixesQueryExtension(display, &event, &error) ? XFixesGetCursorImage(display) : nullptr;
    if (cursor == nullptr) return 1;
    bool visible = false;
    for (int i = 0; i < cursor->width * cursor->height; ++i) visible |= (cursor->pixels[i] >> 24) != 0;  // ARGB
    std::puts(visible ? "shown" : "hidden");
    return 0;
}
