// norvex's command line: no options for the demo as it always was, --root or
// --window-id for a screen saver's window, --wallpaper or --overlay for the
// layer surfaces of a Wayland compositor, --fps for the frame rate, --seed for
// a flight that can be shown again, and how the frames are shown: the window,
// full screen, the frame-rate cap, multisampling and the render scale.
#pragma once

#include <cstdint>

#include "shell/core/command_line.h"
#include "shell/core/display_settings.h"

inline constexpr unsigned long long MAX_FPS_LIMIT = 1000;  // frames a second: a tick is a millisecond
inline constexpr int MAX_WINDOW_EDGE = 8192;              // pixels
inline constexpr double MIN_SCALE = 0.25;                 // share of the window's size
inline constexpr unsigned long long MAX_DESCRIPTOR = 1 << 20;  // the kernel's own limit on open files

struct NorvexOptions {
    bool root = false;       // the window in XSCREENSAVER_WINDOW, else the root window
    uint32_t windowId = 0;   // X window to draw into; 0: none named. Wins over root: a
                             // settings dialog appends it to the daemon's "--root" line
    bool wallpaper = false;  // Wayland: the background layer of every output
    bool overlay = false;    // Wayland: the overlay layer of every output, until the first input
    int framesTo = -1;       // the wallpaper plugin's socket to hand frames over on; -1: none
    bool fps = false;        // frame rate in the lower-left corner
    bool seedGiven = false;  // --seed: the start-up seed pinned
    bool rendererGiven = false;  // --renderer; otherwise batched for a host's picture, fixed in a window
    uint32_t seed = 0;       // calendar seconds the generator is seeded with
    DisplaySettings display; // window, full screen, frame-rate cap, multisampling, scale
};

inline constexpr const char* NORVEX_USAGE =
    "usage: norvex [[--root] [--window-id ID] | --wallpaper | --overlay] [--fps] [--seed N]\n"
    "              [--max-fps N] [--battery-fps N] [--windowed] [--size WxH] [--no-mode-switch]\n"
    "              [--samples N] [--scale F] [--renderer fixed|batched]\n"
    "       norvex --frames-to FD [--fps] [--seed N] [--max-fps N] [--battery-fps N] [--samples N] [--scale F]\n"
    "              [--renderer fixed|batched]";
inline constexpr const char* NORVEX_HELP =
    "A camera flies over a night city. With no options: full screen at 1024x768,\n"
    "F1 switches to a window, Escape quits.\n"
    "  --root           screen-saver mode: draw into the window named by\n"
    "                   XSCREENSAVER_WINDOW, else into the root window\n"
    "  --window-id ID   screen-saver mode: draw into the X window ID, hex (0x...)\n"
    "                   or decimal, as a saver's settings preview passes it;\n"
    "                   with --root as well, this window is the one drawn into\n"
    "  --wallpaper      on Wayland: a live wallpaper on every output, under all\n"
    "                   windows and panels; in sway's config: exec norvex --wallpaper\n"
    "  --overlay        on Wayland: an idle screen over every output, ended by the\n"
    "                   first key, pointer motion, click or touch; for example\n"
    "                   swayidle -w timeout 300 'norvex --overlay'\n"
    "  --frames-to FD   draw offscreen and hand the frames over on the socket FD:\n"
    "                   how the KDE Plasma wallpaper plugin runs norvex\n"
    "  --fps            show the frame rate in the lower-left corner\n"
    "  --seed N         pin the flight: the same N, 0..4294967295, gives the same\n"
    "                   frames as norvex-capture --seed N\n"
    "  --max-fps N      draw at most N frames a second, 0..1000, whatever the\n"
    "                   power source; 0: as fast as the display or the driver\n"
    "                   allows. Without it: 60, and 30 on battery or in the\n"
    "                   power-saver profile\n"
    "  --battery-fps N  on battery, at most N frames a second, 0..1000 (default\n"
    "                   30); 0: the picture stands still until mains returns\n"
    "  --windowed       start in a window, without trying full screen\n"
    "  --size WxH       the window's size and the full-screen mode, W and H\n"
    "                   1..8192 (default 1024x768)\n"
    "  --no-mode-switch full screen at the desktop's own resolution, without\n"
    "                   switching the display mode\n"
    "  --samples N      smooth edges with N samples per pixel: 2, 4 or 8\n"
    "  --scale F        draw the scene at F times the window's size, 0.25..1,\n"
    "                   and show it stretched to the whole window (default 1;\n"
    "                   with a software renderer, what keeps it to about 2.1\n"
    "                   million pixels)\n"
    "  --renderer R     fixed: the scene's OpenGL 1.1 calls drawn one by one by\n"
    "                   the driver; batched: gathered into a few OpenGL ES 3\n"
    "                   draws, the same picture at a fraction of the cost. The\n"
    "                   default: fixed in the demo's window, batched for --root,\n"
    "                   --window-id, --wallpaper and --overlay\n"
    "  --help           show this help and exit\n"
    "  --version        show the version and exit\n"
    "Both Wayland roles need the layer-shell protocol: sway, Hyprland, wayfire,\n"
    "river and KWin have it, GNOME does not. On a KDE Plasma desktop, whose own\n"
    "wallpaper covers --wallpaper, choose norvex in Plasma's wallpaper settings.\n";

// An X window ID, "0x" and hex digits or decimal digits, 1..0xFFFFFFFF.
bool ParseWindowId(const char* text, uint32_t* id);

inline constexpr const char* SAVER_WINDOW_VARIABLE = "XSCREENSAVER_WINDOW";

// The window --root means: the one named in XSCREENSAVER_WINDOW (hex or
// decimal), else 0 for the root window. False when the variable is set but
// names no window.
bool RootTarget(const char* variable, uint32_t* id);

cli::Parsed ParseNorvexOptions(int argc, char* const* argv, NorvexOptions* options);
