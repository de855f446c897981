// The message queue on Win32: peeking first runs the thread's native messages
// through PeekMessage, TranslateMessage and DispatchMessage, whose window
// procedure (window.cpp) queues them, as the contract's messages, in their
// window's FIFO; then it takes the oldest. Waiting is the system's own.
#include "platform/win32/win32_internal.h"

namespace plat {
namespace {

void Pump(Window* window)
{
    if (window->native == nullptr) return;
    MSG m;
    while (window->queue.RoomForEvents() && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        // A request to end that came to the thread (a console event) is this window's close request.
        if (m.hwnd == nullptr && m.message == win32::CLOSE_REQUEST_MESSAGE) {
            window->queue.Post(Message{WM_CLOSE, 0, 0});
            continue;
        }
        TranslateMessage(&m);  // Alt+Space opens the window menu, as everywhere on Windows
        DispatchMessageA(&m);
    }
}

}  // namespace

bool PeekMessage(Window* window, Message* message)
{
    if (window == nullptr || message == nullptr) return false;
    Pump(window);
    return window->queue.Take(message);
}

void WaitMessage(Window* window)
{
    if (window == nullptr || window->queue.Count() > 0) return;
    // A queue-only window has nothing that could ever arrive: do not block.
    if (window->native == nullptr) return;
    ::WaitMessage();
}

void WaitMessageTimeout(Window* window, uint32_t milliseconds)
{
    if (window == nullptr || window->queue.Count() > 0 || milliseconds == 0) return;
    if (window->native == nullptr) return Sleep(milliseconds);
    MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

}  // namespace plat
