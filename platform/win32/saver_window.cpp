// The saver's window: its class and window procedure (input ends a full-screen
// saver, the window's destruction ends either), creation over the virtual
// screen or inside the preview's host, the OpenGL context with the demo's own
// pixel format, and the size followed from the host window.
#include "platform/win32/saver_window.h"

#include <cstdlib>

#include "platform/win32/win32_internal.h"

namespace plat {
namespace {

constexpr const char* kClassName = "norvex saver";

// The demo's own: RGBA, double-buffered, 32 bits of colour, alpha 1, depth 16.
constexpr PixelFormatDescriptor kPixelFormat = [] {
    PixelFormatDescriptor d = {};
    d.size = sizeof d;
    d.version = 1;
    d.flags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    d.pixelType = PFD_TYPE_RGBA;
    d.colorBits = 32;
    d.alphaBits = 1;
    d.depthBits = 16;
    d.layerType = PFD_MAIN_PLANE;
    return d;
}();

SaverWindow* SaverOf(HWND hwnd) { return reinterpret_cast<SaverWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

void End(SaverWindow* saver, HostEvent why)
{
    if (saver->ended == HostEvent::Unchanged) saver->ended = why;
}

// A full-screen saver ends on any input; the first pointer position it is
// told of is only where the pointer was when it started.
bool IsInput(SaverWindow* saver, UINT message, LPARAM second)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_MOUSEWHEEL: return true;
    case WM_MOUSEMOVE: {
        POINT at = {static_cast<int16_t>(LOWORD(second)), static_cast<int16_t>(HIWORD(second))};
        ClientToScreen(static_cast<HWND>(saver->window), &at);
        if (!saver->pointerSeen) {
            saver->pointerSeen = true;
            saver->pointerX = at.x;
            saver->pointerY = at.y;
            return false;
        }
        return std::abs(at.x - saver->pointerX) > SAVER_MOTION_SLACK ||
               std::abs(at.y - saver->pointerY) > SAVER_MOTION_SLACK;
    }
    default: return false;
    }
}

LRESULT CALLBACK SaverProc(HWND hwnd, UINT message, WPARAM first, LPARAM second)
{
    if (message == WM_NCCREATE) {
        auto* saver = static_cast<SaverWindow*>(reinterpret_cast<CREATESTRUCTA*>(second)->lpCreateParams);
        saver->window = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(saver));
    }
    SaverWindow* saver = SaverOf(hwnd);
    if (saver == nullptr) return DefWindowProcA(hwnd, message, first, second);
    const bool fullScreen = saver->parent == nullptr;
    if (fullScreen && IsInput(saver, message, second)) {
        End(saver, HostEvent::Dismissed);
        return 0;
    }
    switch (message) {
    case WM_SETCURSOR:
        if (!fullScreen) break;
        SetCursor(nullptr);
        return TRUE;
    case WM_ACTIVATEAPP:  // another program came to the front
        if (fullScreen && !first) End(saver, HostEvent::Dismissed);
        break;
    case WM_SYSCOMMAND:
        if ((first & 0xFFF0) == SC_SCREENSAVE || (first & 0xFFF0) == SC_MONITORPOWER) return 0;  // running already
        break;
    case WM_CLOSE:  // Detach destroys the window
        End(saver, HostEvent::CloseRequest);
        return 0;
    case WM_ENDSESSION:
        if (first) End(saver, HostEvent::CloseRequest);
        break;
    case WM_ERASEBKGND: return TRUE;  // every pixel is drawn: no flash of a background between frames
    case WM_DESTROY:  // by the system, not by Detach: a preview's host went away and took its children
        if (saver->window != nullptr) End(saver, fullScreen ? HostEvent::Gone : HostEvent::Withdrawn);
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        saver->window = nullptr;
        break;
    default: break;
    }
    return DefWindowProcA(hwnd, message, first, second);
}

bool RegisterSaverClass()
{
    WNDCLASSEXA saverClass = {};
    saverClass.cbSize = sizeof saverClass;
    saverClass.style = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
    saverClass.lpfnWndProc = SaverProc;
    saverClass.hInstance = win32::Module();
    saverClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(IDC_ARROW));
    saverClass.lpszClassName = kClassName;
    WNDCLASSEXA known = {};
    known.cbSize = sizeof known;
    return GetClassInfoExA(win32::Module(), kClassName, &known) || RegisterClassExA(&saverClass);
}

// Under Wine 8 a window with an OpenGL pixel format draws into an X window
// of its own that is only copied to the screen within one process, and GDI
// drawing into another process's window is sent to the X server only when
// something waits for an answer. There a preview's frame is read back before
// the swap and drawn with GDI over the host's client area (a cached DC, which
// leaves the children in), and reading a pixel back sends it.
void CopyFrame(SaverWindow& saver)
{
    const int32_t width = saver.width, height = saver.height;
    const size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
    if (bytes > saver.pixelBytes) {
        delete[] saver.pixels;
        saver.pixels = new unsigned char[bytes];
        saver.pixelBytes = bytes;
    }
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, width, height, GL_BGRA_EXT, GL_UNSIGNED_BYTE, saver.pixels);
    BITMAPINFO bitmap = {};
    bitmap.bmiHeader.biSize = sizeof bitmap.bmiHeader;
    bitmap.bmiHeader.biWidth = width;
    bitmap.bmiHeader.biHeight = height;  // bottom-up rows, as GL reads them
    bitmap.bmiHeader.biPlanes = 1;
    bitmap.bmiHeader.biBitCount = 32;
    bitmap.bmiHeader.biCompression = BI_RGB;
    HWND parent = static_cast<HWND>(saver.parent);
    HDC host = GetDCEx(parent, nullptr, DCX_CACHE);
    SetDIBitsToDevice(host, 0, 0, width, height, 0, 0, 0, height, saver.pixels, &bitmap, DIB_RGB_COLORS);
    GetPixel(host, 0, 0);
    ReleaseDC(parent, host);
}

}  // namespace

bool SaverWindow::Attach(uintptr_t parentWindow)
{
    *this = SaverWindow{};
    HWND host = reinterpret_cast<HWND>(parentWindow);
    if (host != nullptr && !IsWindow(host)) {
        problem = "the preview's window is gone";
        return false;
    }
    if (!RegisterSaverClass()) {
        problem = "RegisterClassEx failed";
        return false;
    }
    win32::WatchEnds();
    parent = host;
    RECT area = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
    area.right = area.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    area.bottom = area.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (host != nullptr) GetClientRect(host, &area);
    width = area.right - area.left;
    height = area.bottom - area.top;
    // A preview is a disabled child: its input goes to no one, and it goes when its host does.
    // It never tells its host of its birth or death: those are messages sent to the host's
    // thread and waited for, and a host that has stopped reading its messages (as one does
    // once its window is gone and it waits for the saver to end) would hold the saver forever.
    const DWORD style = host ? WS_CHILD | WS_VISIBLE : WS_POPUP | WS_VISIBLE;
    const DWORD exStyle = host ? WS_EX_NOPARENTNOTIFY : WS_EX_TOPMOST;
    CreateWindowExA(exStyle, kClassName, host ? "norvex preview" : "norvex", style, area.left, area.top, width,
                    height, host, nullptr, win32::Module(), this);
    HDC dc = window ? ::GetDC(static_cast<HWND>(window)) : nullptr;
    if (dc == nullptr || !win32::SetClosestPixelFormat(dc, kPixelFormat)) {
        problem = window ? "no OpenGL pixel format for the saver's window" : "CreateWindowEx failed";
        Detach();
        return false;
    }
    deviceContext = dc;
    HGLRC context = wglCreateContext(dc);
    if (context == nullptr || !wglMakeCurrent(dc, context)) {
        if (context) wglDeleteContext(context);
        problem = "no OpenGL rendering context for the saver's window";
        Detach();
        return false;
    }
    renderContext = context;
    copyFrames = host != nullptr && GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    if (host == nullptr) {
        SetForegroundWindow(static_cast<HWND>(window));
        ::ShowCursor(FALSE);
        cursorHidden = true;
    }
    return true;
}

HostEvent SaverWindow::Poll()
{
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (m.hwnd == nullptr && m.message == win32::CLOSE_REQUEST_MESSAGE) End(this, HostEvent::CloseRequest);
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    if (ended != HostEvent::Unchanged) return ended;
    HWND self = static_cast<HWND>(window);
    if (parent != nullptr) {
        RECT host;
        if (!IsWindow(static_cast<HWND>(parent)) || !GetClientRect(static_cast<HWND>(parent), &host))
            return ended = HostEvent::Withdrawn;
        if (host.right != width || host.bottom != height) MoveWindow(self, 0, 0, host.right, host.bottom, FALSE);
    }
    RECT client;
    if (!GetClientRect(self, &client) || (client.right == width && client.bottom == height))
        return HostEvent::Unchanged;
    width = client.right;
    height = client.bottom;
    return HostEvent::Resized;
}

void SaverWindow::Wait(uint32_t milliseconds)
{
    MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

void SaverWindow::Swap()
{
    if (deviceContext == nullptr) return;
    HDC dc = static_cast<HDC>(deviceContext);
    if (copyFrames) CopyFrame(*this);
    ::SwapBuffers(dc);
}


void SaverWindow::Detach()
{
    if (renderContext != nullptr) {
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(static_cast<HGLRC>(renderContext));
        renderContext = nullptr;
    }
    deviceContext = nullptr;  // the window's own: it goes with the window
    if (HWND self = static_cast<HWND>(window)) {
        window = nullptr;  // destroyed here, not by the system
        ::DestroyWindow(self);
    }
    if (cursorHidden) ::ShowCursor(TRUE);
    cursorHidden = false;
    delete[] pixels;
    pixels = nullptr;
    pixelBytes = 0;
}

}  // namespace plat
