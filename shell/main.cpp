// Process entry: hands over to WinMain, whose result is the exit code.
#include "shell/shell.h"

int main() { return WinMain(plat::ModuleInstance(), nullptr, "", plat::SW_SHOWNORMAL); }
