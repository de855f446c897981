// How a Windows process is told to end, or dies, while it may hold the
// display in another mode: a console's Ctrl+C, Ctrl+Break or close, a log-off
// or shut-down reach the console handler, which gives the mode back and sends
// the windows' thread a close request (the shell then ends as on a closed
// window); a crash reaches the unhandled-exception filter, which gives the
// mode back before the system reports it. The session's end is WM_ENDSESSION
// (window.cpp).
#include "platform/win32/win32_internal.h"

namespace plat::win32 {
namespace {

constexpr DWORD kGraceMs = 4000;  // the system ends the process this long after a close, log-off or shut-down

DWORD g_thread = 0;  // the windows' thread
LPTOP_LEVEL_EXCEPTION_FILTER g_previousFilter = nullptr;

BOOL WINAPI OnConsoleEvent(DWORD event)
{
    RestoreSwitchedMode();
    PostThreadMessageA(g_thread, CLOSE_REQUEST_MESSAGE, 0, 0);
    // The process ends when this returns from these three: the shell has until then to end by itself.
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) Sleep(kGraceMs);
    return TRUE;
}

LONG WINAPI OnCrash(EXCEPTION_POINTERS* exception)
{
    RestoreSwitchedMode();
    return g_previousFilter ? g_previousFilter(exception) : EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

void WatchEnds()
{
    if (g_thread != 0) return;
    g_thread = GetCurrentThreadId();
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
    g_previousFilter = SetUnhandledExceptionFilter(OnCrash);
}

}  // namespace plat::win32
