// A window without SDL behind it, wired to the shell's window procedure the way
// window creation wires it: the record knows the window and its keys, and the
// window carries the record as its creation parameter for WM_CREATE.
#pragma once

#include "shell/core/main_loop.h"
#include "shell/core/records.h"
#include "shell/core/requests.h"
#include "shell/core/window_proc.h"

struct BareWindow {
    plat::Window w;
    Keys keys = {};
    GL_Window record = {};

    BareWindow()
    {
        w.procedure = WindowProc;
        record.keys = &keys;
        record.windowHandle = &w;
        w.creationParameter = &record;
    }
    BareWindow(const BareWindow&) = delete;
    BareWindow& operator=(const BareWindow&) = delete;
};
