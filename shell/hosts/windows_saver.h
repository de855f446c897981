// norvex.scr: the screen saver on Windows. /s draws full screen over every
// monitor until a key, a click or a motion; /p HWND draws a preview inside
// that window until it goes; /c, no argument or any other opens the settings
// dialog. /s and /p draw with the settings the dialog stored
// (platform/win32/saver_settings.h).
#pragma once

// Runs norvex.scr with this command line. Its exit code: 0 when the saver
// was ended as a saver ends, or the dialog closed; 1 when there was nothing
// to draw into, or the dialog could not open.
int RunWindowsSaver(int argc, char** argv);
