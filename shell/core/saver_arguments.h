// The command line Windows gives a screen saver: /s runs it full screen,
// /p HWND shows a preview inside that window, /c (or /c:HWND, the dialog's
// owner) opens its settings. The letter in either case, after '/' or '-';
// the window's number, decimal, after a space or a colon. No argument, or
// any other, opens the settings, as Windows' own savers do.
#pragma once

#include <cstdint>

enum class SaverMode { Settings, FullScreen, Preview };

struct SaverCommand {
    SaverMode mode = SaverMode::Settings;
    uintptr_t window = 0;  // /p: the preview's host; /c: the settings' owner; 0: none
};

SaverCommand ParseSaverArguments(int argc, const char* const* argv);
