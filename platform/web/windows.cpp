// Window classes and the one window a page has: its canvas, made afresh for
// each window so that each gets a rendering context of its own. The display
// mode is the browser's full screen, which only a recent key press or click may
// ask for.
#include "platform/platform.h"
#include "platform/web/page_internal.h"
#include "platform/window_records.h"

namespace plat {
namespace page {

PageWindow g_page;
DisplayMode g_mode = {0, 0, 0};

}  // namespace page

namespace {

int g_cursorCount = 0;  // shown while >= 0

}  // namespace

bool UnregisterClass(const char* className, Instance* instance)
{
    bool last = false;
    return classes::Forget(className, instance, &last);
}

// A canvas has no frame.
bool AdjustWindowRect(Rect* rect, uint32_t /*style*/, bool /*menu*/, uint32_t /*exStyle*/) { return rect != nullptr; }

Window* CreateWindow(uint32_t exStyle, const char* className, const char* title, uint32_t style, int /*x*/,
                     int /*y*/, int /*width*/, int /*height*/, Instance* instance,
                     const PixelFormatDescriptor* pixelFormat, void* creationParameter)
{
    const WindowProcedure procedure = classes::Procedure(className, instance);
    if (procedure == nullptr || page::g_page.window != nullptr) return nullptr;  // one canvas per page
    // The page lays a window's canvas out; a full-screen one has the mode's size.
    norvex_page_new_canvas(title ? title : "");
    Window* window = new Window;
    window->procedure = procedure;
    window->creationParameter = creationParameter;
    window->style = style;
    window->exStyle = exStyle;
    window->deviceContext.window = window;
    window->deviceContext.openGL = pixelFormat && (pixelFormat->flags & PFD_SUPPORT_OPENGL);
    if (pixelFormat) window->deviceContext.descriptor = *pixelFormat;
    page::g_page = page::PageWindow{window, (style & WS_POPUP) != 0 && page::g_mode.width > 0, false, 0, 0};
    page::StartEvents();
    norvex_page_keep_awake(1);
    norvex_page_cursor(g_cursorCount >= 0);
    if (window->procedure(window, WM_CREATE, 0, 0) == -1) {
        DestroyWindow(window);
        return nullptr;
    }
    return window;
}

bool ShowWindow(Window* window, int /*command*/)
{
    if (window == nullptr || window != page::g_page.window) return false;
    page::FollowPageSize();  // the first size, as a desktop's first events bring it
    return true;
}

bool DestroyWindow(Window* window)
{
    // Only the page's window is destroyed; queue-only ones belong to their owner.
    if (window == nullptr || window != page::g_page.window) return false;
    page::StopEvents();
    norvex_page_keep_awake(0);
    norvex_page_remove_canvas();
    page::g_page = page::PageWindow{};
    delete window;
    return true;
}

int32_t DefaultWindowProc(Window* window, uint32_t message, uint32_t first, int32_t second)
{
    if (window == nullptr) return 0;
    ++window->defaultHandled;
    const bool altF4 = message == WM_SYSKEYDOWN && first == VK_F4 && (second & KEY_ALT_HELD);
    const bool close = message == WM_SYSCOMMAND && (first & 0xFFF0u) == SC_CLOSE;
    if (altF4 || close) PostMessage(window, WM_CLOSE, 0, 0);
    return 0;
}

int ShowCursor(bool show)
{
    g_cursorCount += show ? 1 : -1;
    if (page::g_page.window) norvex_page_cursor(g_cursorCount >= 0);
    return g_cursorCount;
}

// A page may ask for full screen only shortly after a key press or a click. A
// request before the visitor has done either (the demo's start) is not refused:
// the full-screen window fills its place in the page until F1 or the page's
// full-screen control, pressed, asks the browser (events.cpp). Only a page that
// can never be shown full screen refuses the mode.
bool ChangeDisplayMode(const DisplayMode& mode)
{
    if (norvex_page_request_full_screen() == page::kFullScreenRefused) return false;
    page::g_mode = mode;
    return true;
}

void RestoreDisplayMode()
{
    page::g_mode = DisplayMode{0, 0, 0};
    norvex_page_exit_full_screen();
}

}  // namespace plat
