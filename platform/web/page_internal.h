// Inside the page backend only: the one window a page has (its canvas), the
// display mode in force, and the page's own functions (page.js) it calls.
#pragma once

#include <cstdint>

#include "platform/display_mode.h"
#include "platform/window_records.h"

namespace plat::page {

inline constexpr const char* kCanvas = "#norvex-canvas";

struct PageWindow {
    Window* window = nullptr;   // null while there is none
    bool fullScreen = false;    // made as a full-screen window while the page was full screen
    bool hidden = false;        // the page is hidden: the window counts as minimised
    int width = 0, height = 0;  // drawing buffer, pixels: the client size
};
extern PageWindow g_page;
extern DisplayMode g_mode;      // the full-screen mode in force; 0 x 0 when none

// Starts and stops the page's key and visibility events for the window.
void StartEvents();
void StopEvents();
// The size the drawing buffer should have now: the mode's while the page shows
// the window full screen, otherwise the size the page lays the canvas out at.
// When it changed, the buffer takes it and the window gets WM_SIZE.
void FollowPageSize();

// F1 pressed or the page's full-screen control clicked, while the page shows a
// full-screen window in its place: asks the browser to show it full screen now,
// while the press still counts as the visitor's, and returns true. False when
// there is no such window (the press is the demo's own then).
bool ShowFullScreenNow();

// What norvex_page_request_full_screen answers.
inline constexpr int kFullScreenRefused = 0;  // the page can never be full screen
inline constexpr int kFullScreenShown = 1;
inline constexpr int kFullScreenNotYet = -1;  // no key press or click to ask with yet

}  // namespace plat::page

// page.js
extern "C" {
double norvex_page_seed();
int norvex_page_max_fps();
void norvex_page_ended(int exitCode);
void norvex_page_new_canvas(const char* title);
void norvex_page_remove_canvas();
void norvex_page_message(const char* caption, const char* text);
void norvex_page_cursor(int shown);
void norvex_page_keep_awake(int on);
int norvex_page_showing_full_screen();
void norvex_page_enter_full_screen();
// These give the page a turn before they return (ASYNCIFY).
int norvex_page_request_full_screen();
void norvex_page_exit_full_screen();
void norvex_page_frame_done(double frame);
void norvex_page_wait_event();
void norvex_page_wait_event_timeout(int milliseconds);
void norvex_page_wake();
}
