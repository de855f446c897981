// The application shell: the window and its rendering context, the window
// procedure, the entry point with its two loops, and the per-frame operations.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "shell/records.h"

// --- Shell globals -----------------------------------------------------------
inline int32_t g_isProgramLooping = 0;   // the outer loop runs while non-zero
inline int32_t g_createFullScreen = 0;   // full-screen request for the next window, 0 or 1

inline constexpr uint32_t TOGGLE_FULLSCREEN_MESSAGE = plat::WM_USER + 1;

// --- Window and rendering context ----------------------------------------------
int32_t RegisterWindowClass(Application* application);
int32_t CreateWindowGL(GL_Window* window);
int32_t DestroyWindowGL(GL_Window* window);
int32_t ChangeScreenResolution(int32_t width, int32_t height, int32_t bitsPerPixel);
// The size GL draws the window at, pixels: the drawable's where the window
// layer knows it (all of a HiDPI output's pixels; the desktop's size in full
// screen without a mode switch), else the record's width and height.
void DrawingSize(const GL_Window* window, int32_t* width, int32_t* height);
// Viewport and the creation-time projection (50 degrees, near 5, far 2000).
void ReshapeGL(int32_t width, int32_t height);
// Viewport for a new client size; the projection in force keeps its field of
// view and depth range and takes the new aspect ratio.
void ResizeGL(int32_t width, int32_t height);
int32_t WindowProc(plat::Window* handle, uint32_t message, uint32_t first, int32_t second);

// --- Entry point and main loop ----------------------------------------------------
int WinMain(plat::Instance* instance, plat::Instance* previousInstance, const char* commandLine,
            int showCommand);
// The inner loop: messages first, then a frame while the window is visible.
// Returns when it reads WM_QUIT, with the number of frames it drew.
uint32_t RunMessageLoop(GL_Window* window);
void TerminateApplication(GL_Window* window);
void ToggleFullscreen(GL_Window* window);
// Stores the records for Update, then sets the scene up for the window's size.
int32_t Initialize(GL_Window* window, Keys* keys);
void Update(uint32_t milliseconds);
void Draw();
void Deinitialize();
