// norvex.exe: the demo on Windows, in a window of its own on the Win32
// backend (platform/win32), with the Linux demo's options where they mean
// the same here. A program without a console says what it has to say in a
// message box.
#pragma once

// Runs norvex.exe with this command line. Its exit code: the demo's, 0 after
// --help or --version, 2 for a command line refused.
int RunWindowsDemo(int argc, char** argv);
