// The Wine test's stand-in for the settings dialog's preview pane:
// preview_host SAVER starts "SAVER /p HWND" into a 320x240 window of its own,
// says on stdout the client size of the child the saver made in it, and once
// the window is closed how long the saver took to end and with which exit code.
#include <windows.h>

#include <cstdio>

static LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM first, LPARAM second)
{
    RECT child;
    if (message == WM_TIMER && GetClientRect(GetWindow(hwnd, GW_CHILD), &child)) {
        std::printf("preview %ldx%ld\n", child.right, child.bottom);
        std::fflush(stdout);
        KillTimer(hwnd, first);
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(hwnd, message, first, second);
}

int main(int argc, char** argv)
{
    if (argc != 2) return 2;
    WNDCLASSA hostClass = {};
    hostClass.lpfnWndProc = HostProc;
    hostClass.hInstance = GetModuleHandleA(nullptr);
    hostClass.lpszClassName = "preview host";
    RECT frame = {0, 0, 320, 240};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    HWND host = RegisterClassA(&hostClass) ? CreateWindowA("preview host", "norvex preview host",
        WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, frame.right - frame.left,
        frame.bottom - frame.top, nullptr, nullptr, hostClass.hInstance, nullptr) : nullptr;
    char command[MAX_PATH + 64];
    std::snprintf(command, sizeof command, "\"%s\" /p %llu", argv[1],
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(host)));
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION saver = {};
    if (host == nullptr || !CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                           &saver))
        return 1;
    SetTimer(host, 1, 100, nullptr);  // until the saver's child is there
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) DispatchMessageA(&m);
    const DWORD closed = GetTickCount();
    DWORD code = STILL_ACTIVE;
    WaitForSingleObject(saver.hProcess, 10000);
    GetExitCodeProcess(saver.hProcess, &code);
    std::printf("saver ended %lu ms after the window with exit code %lu\n", GetTickCount() - closed, code);
    return 0;
}
