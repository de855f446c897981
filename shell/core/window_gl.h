// The window class, and the window with its OpenGL rendering context: created
// windowed or full screen (with a temporary display-mode switch, or at the
// desktop's own mode), and torn down again in reverse order.
#pragma once

#include <cstdint>

#include "shell/core/records.h"

int32_t RegisterWindowClass(Application* application);
int32_t CreateWindowGL(GL_Window* window);
int32_t DestroyWindowGL(GL_Window* window);
int32_t ChangeScreenResolution(int32_t width, int32_t height, int32_t bitsPerPixel);
// The size GL draws the window at, pixels: the drawable's where the window
// layer knows it (all of a HiDPI output's pixels; the desktop's size in full
// screen without a mode switch), else the record's width and height.
void DrawingSize(const GL_Window* window, int32_t* width, int32_t* height);
