// The window procedure: turns the window's messages into key state,
// visibility, viewport updates and the main loop's two requests.
#pragma once

#include <cstdint>

#include "platform/platform.h"

int32_t WindowProc(plat::Window* handle, uint32_t message, uint32_t first, int32_t second);
