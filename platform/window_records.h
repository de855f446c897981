// Inside the window layer only: the window-class registry that every backend
// (the desktop's SDL one, the web page's) keeps the same way.
#pragma once

#include "platform/window.h"

namespace plat::classes {

// The procedure registered under this class name for this instance, or null.
WindowProcedure Procedure(const char* className, Instance* instance);
// Forgets a registration; false when there was none. True in *last when no
// class is left registered.
bool Forget(const char* className, Instance* instance, bool* last);

}  // namespace plat::classes
