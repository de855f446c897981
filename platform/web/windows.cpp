// Window classes and the one window a page has: its canvas, made afresh for
// each window so that each gets a rendering context of its own. The display
// mode is the browser's full screen, which only a recent key press or click may
// ask for.
#include <emscripten/html5.h>

#include "platform/platform.h"
#include "platform/web/page_internal.h"
#include "platform/window_core.h"

namespace plat {
namespace page {

PageWindow g_page;
DisplayMode g_mode = {0, 0, 0};

}  // namespace page

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
    Window* window = NewWindowRecord(procedure, creationParameter, style, exStyle, pixelFormat);
    page::g_page = page::PageWindow{window, (style & WS_POPUP) != 0 && page::g_mode.width > 0, false, 0, 0};
    page::StartEvents();
    norvex_page_keep_awake(1);
    norvex_page_cursor(CursorShown());
    if (!DeliverCreate(window)) {
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

// A page has no window classes of its own.
bool RegisterNativeClass(const WindowClass& /*windowClass*/) { return true; }

// A canvas cannot be minimised, maximised or restored.
void ApplySystemCommand(Window* /*window*/, uint32_t /*command*/) {}

void ApplyCursor(bool shown)
{
    if (page::g_page.window) norvex_page_cursor(shown);
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

// The page's full screen at the screen's own size: the browser switches no mode anyway.
bool KeepDesktopMode(DisplayMode* desktop)
{
    int width = 0, height = 0;
    emscripten_get_screen_size(&width, &height);
    if (width <= 0 || height <= 0 || !norvex_page_request_full_screen()) return false;
    page::g_mode = DisplayMode{width, height, 32};
    *desktop = page::g_mode;
    return true;
}

void RestoreDisplayMode()
{
    page::g_mode = DisplayMode{0, 0, 0};
    norvex_page_exit_full_screen();
}

}  // namespace plat
