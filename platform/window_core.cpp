// The parts of the window layer that need no window system, shared by every
// backend: the class registry, a new window's record and its WM_CREATE, the
// user-data slot, a window's device context and pixel format, the cursor's
// show count, posting and dispatching messages, and default handling.
#include "platform/window_core.h"

#include <cstring>

#include "platform/platform.h"

namespace plat {
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
Renderer g_renderer = Renderer::Fixed;  // what new windows' contexts are made for

Registration* Find(const char* className, Instance* instance)
{
    if (className == nullptr) return nullptr;
    for (Registration& r : g_classes)
        if (r.used && r.instance == instance && std::strcmp(r.name, className) == 0) return &r;
    return nullptr;
}

}  // namespace

namespace classes {

WindowProcedure Procedure(const char* className, Instance* instance)
{
    const Registration* r = Find(className, instance);
    return r ? r->procedure : nullptr;
}

bool Forget(const char* className, Instance* instance, bool* last)
{
    Registration* r = Find(className, instance);
    if (r == nullptr) return false;
    r->used = false;
    *last = true;
    for (const Registration& other : g_classes)
        if (other.used) *last = false;
    return true;
}

}  // namespace classes

Instance* ModuleInstance() { return &g_moduleInstance; }

bool RegisterClass(const WindowClass& windowClass)
{
    const char* name = windowClass.className;
    if (name == nullptr || name[0] == '\0' || std::strlen(name) > kMaxClassName) return false;
    if (windowClass.procedure == nullptr || Find(name, windowClass.instance)) return false;
    for (Registration& r : g_classes) {
        if (r.used) continue;
        if (!RegisterNativeClass(windowClass)) return false;
        r = Registration{true, {}, windowClass.instance, windowClass.procedure};
        std::memcpy(r.name, name, std::strlen(name) + 1);
        return true;
    }
    return false;
}

Window* NewWindowRecord(WindowProcedure procedure, void* creationParameter, uint32_t style, uint32_t exStyle,
                        const PixelFormatDescriptor* pixelFormat)
{
    Window* window = new Window;
    window->procedure = procedure;
    window->creationParameter = creationParameter;
    window->style = style;
    window->exStyle = exStyle;
    window->deviceContext.window = window;
    window->deviceContext.openGL = pixelFormat && (pixelFormat->flags & PFD_SUPPORT_OPENGL);
    if (pixelFormat) window->deviceContext.descriptor = *pixelFormat;
    return window;
}

bool DeliverCreate(Window* window) { return window->procedure(window, WM_CREATE, 0, 0) != -1; }

bool CursorShown() { return g_cursorCount >= 0; }

void SetWindowRenderer(Renderer renderer) { g_renderer = renderer; }

Renderer WindowRenderer() { return g_renderer; }

int ShowCursor(bool show)
{
    g_cursorCount += show ? 1 : -1;
    ApplyCursor(CursorShown());
    return g_cursorCount;
}

void* CreationParameter(const Window* window) { return window ? window->creationParameter : nullptr; }

intptr_t GetUserData(const Window* window) { return window ? window->userData : 0; }

void SetUserData(Window* window, intptr_t value)
{
    if (window) window->userData = value;
}

bool ReleaseDC(Window* window, DeviceContext* dc)
{
    if (window == nullptr || dc != &window->deviceContext || !window->deviceContextTaken) return false;
    window->deviceContextTaken = false;
    return true;
}

int32_t ChoosePixelFormat(DeviceContext* dc, const PixelFormatDescriptor* descriptor)
{
    if (dc == nullptr || descriptor == nullptr || !dc->openGL) return 0;
    return ClosestPixelFormat(*descriptor);
}

bool SetPixelFormat(DeviceContext* dc, int32_t format, const PixelFormatDescriptor* descriptor)
{
    if (dc == nullptr || descriptor == nullptr || format != kWindowPixelFormat || !dc->openGL) return false;
    if (dc->pixelFormat != 0) return dc->pixelFormat == format;
    dc->pixelFormat = format;
    return true;
}

bool PostMessage(Window* window, uint32_t message, uint32_t first, int32_t second)
{
    return window != nullptr && window->queue.Post(Message{message, first, second});
}

int32_t DispatchMessage(Window* window, const Message& message)
{
    if (window == nullptr) return 0;
    if (window->procedure == nullptr)
        return DefaultWindowProc(window, message.message, message.first, message.second);
    return window->procedure(window, message.message, message.first, message.second);
}

int32_t DefaultWindowProc(Window* window, uint32_t message, uint32_t first, int32_t second)
{
    if (window == nullptr) return 0;
    ++window->defaultHandled;
    const bool altF4 = message == WM_SYSKEYDOWN && first == VK_F4 && (second & KEY_ALT_HELD);
    if (altF4) first = SC_CLOSE;
    else if (message != WM_SYSCOMMAND) return 0;
    const uint32_t command = first & 0xFFF0u;  // the low four bits of a command are flags
    if (command == SC_CLOSE) PostMessage(window, WM_CLOSE, 0, 0);
    else ApplySystemCommand(window, command);  // the screen saver and monitor power: nothing starts them
    return 0;
}

}  // namespace plat
