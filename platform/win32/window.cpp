// Windows on Win32, from class to destruction: the native class behind each
// registration (RegisterClassEx), CreateWindowEx with the shell's styles and
// its pixel format set at once on the window's own device context, the window
// procedure that turns native messages into the contract's, showing,
// destruction, the cursor and the system commands of the default handling.
#include "platform/win32/win32_internal.h"

namespace plat {
namespace win32 {
namespace {

int g_windowCount = 0;

Window* RecordOf(HWND hwnd) { return reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

// Into the window's FIFO, for the shell's loop to take; dropped while the
// FIFO has no room left for the window system's messages.
void Queue(Window* window, UINT message, WPARAM first, LPARAM second)
{
    if (window->queue.RoomForEvents())
        window->queue.Post(Message{message, static_cast<uint32_t>(first), static_cast<int32_t>(second)});
}

}  // namespace

HINSTANCE Module() { return GetModuleHandleA(nullptr); }

HWND HandleOf(const Window* window) { return window ? static_cast<HWND>(window->native) : nullptr; }

HDC DeviceOf(const DeviceContext* dc) { return dc ? static_cast<HDC>(dc->native) : nullptr; }

LRESULT CALLBACK NativeWindowProc(HWND hwnd, UINT message, WPARAM first, LPARAM second)
{
    if (message == WM_NCCREATE) {  // the first message: the record learns its handle
        Window* window = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(second)->lpCreateParams);
        window->native = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
        return DefWindowProcA(hwnd, message, first, second);
    }
    Window* window = RecordOf(hwnd);
    if (window == nullptr) return DefWindowProcA(hwnd, message, first, second);
    switch (message) {
    case WM_CREATE: return DeliverCreate(window) ? 0 : -1;  // -1: CreateWindowEx fails
    case WM_SIZE:
    case WM_KEYDOWN:
    case WM_KEYUP:
        Queue(window, message, first, second);
        return 0;
    case WM_CLOSE:  // the shell decides; its teardown destroys the window
        Queue(window, message, 0, 0);
        return 0;
    case WM_KILLFOCUS: Queue(window, message, 0, 0); break;
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        Queue(window, message, first, second);
        // Alt+F4 closes through the shell's default handling, once.
        if (message == WM_SYSKEYDOWN && first == VK_F4) return 0;
        break;
    case WM_SYSCOMMAND: {
        const WPARAM command = first & 0xFFF0;  // the low four bits are the system's own
        if (command == SC_SCREENSAVE || command == SC_MONITORPOWER) return 0;  // refused while a window exists
        break;
    }
    case WM_ENDSESSION:  // the process ends once this returns
        if (first) RestoreSwitchedMode();
        break;
    case WM_NCDESTROY: SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0); break;
    default: break;
    }
    return DefWindowProcA(hwnd, message, first, second);
}

}  // namespace win32

using win32::HandleOf;

bool RegisterNativeClass(const WindowClass& windowClass)
{
    WNDCLASSEXA native = {};
    native.cbSize = sizeof native;
    // An OpenGL window keeps the device context its pixel format was set on.
    native.style = windowClass.style | CS_OWNDC;
    native.lpfnWndProc = win32::NativeWindowProc;
    native.hInstance = win32::Module();
    native.hCursor = windowClass.cursor ? LoadCursorA(nullptr, MAKEINTRESOURCEA(windowClass.cursor)) : nullptr;
    native.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(windowClass.background));
    native.lpszClassName = windowClass.className;
    return RegisterClassExA(&native) != 0;
}

bool UnregisterClass(const char* className, Instance* instance)
{
    bool last = false;
    if (!classes::Forget(className, instance, &last)) return false;
    return UnregisterClassA(className, win32::Module()) != FALSE;
}

bool AdjustWindowRect(Rect* rect, uint32_t style, bool menu, uint32_t exStyle)
{
    if (rect == nullptr) return false;
    RECT native = {rect->left, rect->top, rect->right, rect->bottom};
    if (!AdjustWindowRectEx(&native, style, menu, exStyle)) return false;
    *rect = Rect{native.left, native.top, native.right, native.bottom};
    return true;
}

Window* CreateWindow(uint32_t exStyle, const char* className, const char* title, uint32_t style,
                     int x, int y, int width, int height, Instance* instance,
                     const PixelFormatDescriptor* pixelFormat, void* creationParameter)
{
    const WindowProcedure procedure = classes::Procedure(className, instance);
    if (procedure == nullptr) return nullptr;
    Window* window = NewWindowRecord(procedure, creationParameter, style, exStyle, pixelFormat);
    win32::WatchEnds();
    // WM_NCCREATE hands the record its handle and WM_CREATE reaches the
    // shell's procedure, both before CreateWindowEx returns.
    HWND hwnd = CreateWindowExA(exStyle, className, title ? title : "", style, x, y, width, height, nullptr,
                                nullptr, win32::Module(), window);
    if (hwnd == nullptr) {
        delete window;
        return nullptr;
    }
    if (++win32::g_windowCount == 1) SetThreadExecutionState(ES_CONTINUOUS | ES_DISPLAY_REQUIRED);
    // A window's pixel format is set once: here, on its own device context.
    if (window->deviceContext.openGL) {
        HDC dc = ::GetDC(hwnd);
        if (dc == nullptr || !win32::SetClosestPixelFormat(dc, *pixelFormat)) {
            DestroyWindow(window);
            return nullptr;
        }
        window->deviceContext.native = dc;
    }
    return window;
}

bool ShowWindow(Window* window, int command)
{
    HWND hwnd = HandleOf(window);
    if (hwnd == nullptr) return false;
    ::ShowWindow(hwnd, command);
    SetForegroundWindow(hwnd);  // the keys come to the window the user just started
    return true;
}

bool DestroyWindow(Window* window)
{
    // Only windows that CreateWindow made are destroyed; queue-only ones belong to their owner.
    HWND hwnd = HandleOf(window);
    if (hwnd == nullptr) return false;
    // The window's keys go with it.
    if (window->procedure) window->procedure(window, WM_KILLFOCUS, 0, 0);
    ::DestroyWindow(hwnd);
    delete window;
    if (--win32::g_windowCount == 0) SetThreadExecutionState(ES_CONTINUOUS);
    return true;
}

// Samples per pixel come from a framebuffer of the shell's own on Windows:
// opengl32 offers multisampled formats only through an extension that needs a
// rendering context before the window's format is set. Windows are made without.
void SetWindowSamples(int /*samples*/) {}

void ApplySystemCommand(Window* window, uint32_t command)
{
    HWND hwnd = HandleOf(window);
    if (hwnd == nullptr) return;
    if (command == SC_MINIMIZE) ::ShowWindow(hwnd, SW_MINIMIZE);
    else if (command == SC_MAXIMIZE) ::ShowWindow(hwnd, SW_MAXIMIZE);
    else if (command == SC_RESTORE) ::ShowWindow(hwnd, SW_RESTORE);
}

void ApplyCursor(bool shown)
{
    // The system keeps a show count of its own: this keeps it at shown (0) or hidden (-1).
    static bool nativeShown = true;
    if (shown == nativeShown) return;
    ::ShowCursor(shown ? TRUE : FALSE);
    nativeShown = shown;
}

}  // namespace plat
