// Window classes and the one window a page has: its canvas, made afresh for
// each window so that each gets a rendering context of its own. The display
// mode is the browser's full screen, which only a recent key press may ask for.
#include <cstring>

#include "platform/platform.h"
#include "platform/web/page_internal.h"

namespace plat {
namespace page {

PageWindow g_page;
DisplayMode g_mode = {0, 0, 0};

}  // namespace page

namespace {

constexpr int kMaxClasses = 4;
constexpr size_t kMaxClassName = 63;  // characters

struct Registration {
    bool used;
    char name[kMaxClassName + 1];
    Instance* instance;
    WindowProcedure procedure;
};

Registration g_classes[kMaxClasses] = {};
Instance g_moduleInstance = {};
int g_cursorCount = 0;  // shown while >= 0

Registration* Find(const char* className, Instance* instance)
{
    if (className == nullptr) return nullptr;
    for (Registration& r : g_classes)
        if (r.used && r.instance == instance && std::strcmp(r.name, className) == 0) return &r;
    return nullptr;
}

}  // namespace

Instance* ModuleInstance() { return &g_moduleInstance; }

bool RegisterClass(const WindowClass& windowClass)
{
    const char* name = windowClass.className;
    if (name == nullptr || name[0] == '\0' || std::strlen(name) > kMaxClassName) return false;
    if (windowClass.procedure == nullptr || Find(name, windowClass.instance)) return false;
    for (Registration& r : g_classes) {
        if (r.used) continue;
        r = Registration{true, {}, windowClass.instance, windowClass.procedure};
        std::memcpy(r.name, name, std::strlen(name) + 1);
        return true;
    }
    return false;
}

bool UnregisterClass(const char* className, Instance* instance)
{
    Registration* r = Find(className, instance);
    if (r == nullptr) return false;
    r->used = false;
    return true;
}

// A canvas has no frame.
bool AdjustWindowRect(Rect* rect, uint32_t /*style*/, bool /*menu*/, uint32_t /*exStyle*/) { return rect != nullptr; }

Window* CreateWindow(uint32_t exStyle, const char* className, const char* title, uint32_t style, int /*x*/,
                     int /*y*/, int /*width*/, int /*height*/, Instance* instance,
                     const PixelFormatDescriptor* pixelFormat, void* creationParameter)
{
    const Registration* r = Find(className, instance);
    if (r == nullptr || page::g_page.window != nullptr) return nullptr;  // one canvas per page
    // The page lays a window's canvas out; a full-screen one has the mode's size.
    norvex_page_new_canvas(title ? title : "");
    Window* window = new Window;
    window->procedure = r->procedure;
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

void* CreationParameter(const Window* window) { return window ? window->creationParameter : nullptr; }

intptr_t GetUserData(const Window* window) { return window ? window->userData : 0; }

void SetUserData(Window* window, intptr_t value)
{
    if (window) window->userData = value;
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

bool ChangeDisplayMode(const DisplayMode& mode)
{
    if (!norvex_page_request_full_screen()) return false;
    page::g_mode = mode;
    return true;
}

void RestoreDisplayMode()
{
    page::g_mode = DisplayMode{0, 0, 0};
    norvex_page_exit_full_screen();
}

}  // namespace plat
