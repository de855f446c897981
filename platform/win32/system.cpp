// Time, sleep and the message box on Win32: GetTickCount, Sleep and a modal
// MessageBox with no owner, an OK button and the exclamation icon. A program
// without a console says the text on stderr only where no box can be shown.
#include <cstdio>

#include "platform/win32/win32_internal.h"

namespace plat {

uint32_t TickCount() { return GetTickCount(); }

void Sleep(uint32_t milliseconds) { ::Sleep(milliseconds); }

void MessageBox(const char* text, const char* caption)
{
    // Brought to the front: the program's own window may not be there yet.
    if (MessageBoxA(nullptr, text, caption, MB_OK | MB_ICONEXCLAMATION | MB_SETFOREGROUND) == 0)
        std::fprintf(stderr, "%s: %s\n", caption, text);
}

}  // namespace plat
