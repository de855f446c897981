// The display mode on Win32: the full-screen switch is ChangeDisplaySettings
// with CDS_FULLSCREEN (for this run only, not stored as the user's setting),
// made at once; the restore is ChangeDisplaySettings(null, 0). Whoever gives
// the mode back first, the shell's teardown or a way out of the process
// (ending.cpp), gives it back alone.
#include <atomic>

#include "platform/win32/win32_internal.h"

namespace plat {
namespace {

std::atomic<bool> g_switched{false};  // this run switched the display mode and has not given it back

}  // namespace

namespace win32 {

void RestoreSwitchedMode()
{
    if (g_switched.exchange(false)) ChangeDisplaySettingsA(nullptr, 0);
}

}  // namespace win32

bool ChangeDisplayMode(const DisplayMode& mode)
{
    DEVMODEA requested = {};
    requested.dmSize = sizeof requested;
    requested.dmPelsWidth = static_cast<DWORD>(mode.width);
    requested.dmPelsHeight = static_cast<DWORD>(mode.height);
    requested.dmBitsPerPel = static_cast<DWORD>(mode.bitsPerPixel);
    requested.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;  // no refresh rate asked for
    win32::WatchEnds();  // from before the switch on, every way out gives the mode back
    if (ChangeDisplaySettingsA(&requested, CDS_FULLSCREEN) != DISP_CHANGE_SUCCESSFUL) return false;
    g_switched = true;
    return true;
}

bool KeepDesktopMode(DisplayMode* desktop)
{
    DEVMODEA current = {};
    current.dmSize = sizeof current;
    if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &current)) return false;
    win32::RestoreSwitchedMode();
    *desktop = DisplayMode{static_cast<int>(current.dmPelsWidth), static_cast<int>(current.dmPelsHeight),
                           static_cast<int>(current.dmBitsPerPel)};
    return true;
}

void RestoreDisplayMode() { win32::RestoreSwitchedMode(); }

}  // namespace plat
