// OpenGL on a window through WGL: the pixel format closest to the shell's
// descriptor (ChoosePixelFormat, SetPixelFormat), the window's own device
// context, the rendering context (wglCreateContext, wglMakeCurrent,
// wglDeleteContext), the buffer swap, the drawable's size, and the functions
// past OpenGL 1.1, which opengl32.dll does not export.
#include <cstddef>
#include <cstring>

#include "platform/win32/win32_internal.h"

namespace plat {
namespace win32 {

// The contract's descriptor is Win32's, field for field.
static_assert(offsetof(PixelFormatDescriptor, depthBits) == offsetof(PIXELFORMATDESCRIPTOR, cDepthBits));
static_assert(offsetof(PixelFormatDescriptor, damageMask) == offsetof(PIXELFORMATDESCRIPTOR, dwDamageMask));

bool SetClosestPixelFormat(HDC dc, const PixelFormatDescriptor& descriptor)
{
    PIXELFORMATDESCRIPTOR native;
    std::memcpy(&native, &descriptor, sizeof native);
    const int format = ::ChoosePixelFormat(dc, &native);
    return format != 0 && ::SetPixelFormat(dc, format, &native) != FALSE;
}

}  // namespace win32

using win32::DeviceOf;

DeviceContext* GetDC(Window* window)
{
    HWND hwnd = win32::HandleOf(window);
    HDC dc = hwnd ? ::GetDC(hwnd) : nullptr;  // the class's own: the same one every time
    if (dc == nullptr) return nullptr;
    window->deviceContext.native = dc;
    window->deviceContextTaken = true;
    return &window->deviceContext;
}

RenderContext* CreateContext(DeviceContext* dc)
{
    if (DeviceOf(dc) == nullptr || dc->pixelFormat == 0) return nullptr;
    return reinterpret_cast<RenderContext*>(wglCreateContext(DeviceOf(dc)));
}

bool MakeCurrent(DeviceContext* dc, RenderContext* context)
{
    if (context == nullptr) return wglMakeCurrent(DeviceOf(dc), nullptr) != FALSE;
    if (DeviceOf(dc) == nullptr || !wglMakeCurrent(DeviceOf(dc), reinterpret_cast<HGLRC>(context))) return false;
    // Swaps wait for the display's refresh where the driver allows; where it
    // does not, the shell's own frame-rate cap still holds.
    using SwapInterval = BOOL(WINAPI*)(int);
    if (auto swapInterval = reinterpret_cast<SwapInterval>(GLProcAddress("wglSwapIntervalEXT"))) swapInterval(1);
    return true;
}

bool DeleteContext(RenderContext* context)
{
    return context != nullptr && wglDeleteContext(reinterpret_cast<HGLRC>(context)) != FALSE;
}

void SwapBuffers(DeviceContext* dc)
{
    if (HDC native = DeviceOf(dc)) ::SwapBuffers(native);
}

bool DrawableSize(DeviceContext* dc, int32_t* width, int32_t* height)
{
    RECT client;
    HWND hwnd = dc ? win32::HandleOf(dc->window) : nullptr;
    if (hwnd == nullptr || !GetClientRect(hwnd, &client) || client.right <= 0 || client.bottom <= 0) return false;
    *width = client.right;
    *height = client.bottom;
    return true;
}

GLProc GLProcAddress(const char* name)
{
    // wglGetProcAddress knows only what lies past 1.1; some drivers answer
    // 1, 2, 3 or -1 for "none". GL 1.1 itself is the DLL's own export.
    PROC address = wglGetProcAddress(name);
    const auto value = reinterpret_cast<INT_PTR>(address);
    if (value >= -1 && value <= 3) address = GetProcAddress(GetModuleHandleA("opengl32.dll"), name);
    return reinterpret_cast<GLProc>(address);
}

}  // namespace plat
