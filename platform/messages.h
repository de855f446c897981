// The message vocabulary between the window layer and the shell: message
// codes, size kinds, system commands and virtual-key codes, with the packing
// of a client size into a message's second parameter. No SDL here.
#pragma once

#include <cstdint>

namespace plat {

// One queued message. The window it belongs to is the queue's owner.
struct Message {
    uint32_t message;
    uint32_t first;   // key code, size kind, command
    int32_t second;   // packed client size, key flags
};

// --- Message codes ----------------------------------------------------------
inline constexpr uint32_t WM_CREATE     = 1;
inline constexpr uint32_t WM_SIZE       = 5;
inline constexpr uint32_t WM_KILLFOCUS  = 8;     // keyboard focus lost, or the window is going
inline constexpr uint32_t WM_CLOSE      = 16;
inline constexpr uint32_t WM_QUIT       = 18;
inline constexpr uint32_t WM_KEYDOWN    = 256;
inline constexpr uint32_t WM_KEYUP      = 257;
inline constexpr uint32_t WM_SYSKEYDOWN = 260;
inline constexpr uint32_t WM_SYSKEYUP   = 261;
inline constexpr uint32_t WM_SYSCOMMAND = 274;
inline constexpr uint32_t WM_USER       = 1024;  // first code free for the program's own messages

// --- WM_SIZE kinds (first parameter) -----------------------------------------
inline constexpr uint32_t SIZE_RESTORED  = 0;
inline constexpr uint32_t SIZE_MINIMIZED = 1;
inline constexpr uint32_t SIZE_MAXIMIZED = 2;

// --- WM_SYSCOMMAND commands (first parameter; the low four bits are flags) ----
inline constexpr uint32_t SC_MINIMIZE     = 0xF020;
inline constexpr uint32_t SC_MAXIMIZE     = 0xF030;
inline constexpr uint32_t SC_CLOSE        = 0xF060;
inline constexpr uint32_t SC_SCREENSAVE   = 0xF140;
inline constexpr uint32_t SC_MONITORPOWER = 0xF170;
inline constexpr uint32_t SC_RESTORE      = 0xF120;

// --- Key message flags (second parameter) ------------------------------------
inline constexpr int32_t KEY_REPEAT_COUNT_ONE = 1;           // bits 0..15: repeat count
inline constexpr int32_t KEY_ALT_HELD        = 1 << 29;      // the key went down with Alt held
inline constexpr int32_t KEY_WAS_DOWN        = 1 << 30;      // auto-repeat, or a key-up
inline constexpr int32_t KEY_RELEASED        = INT32_MIN;    // bit 31: key-up

// --- Virtual-key codes (0..255) ------------------------------------------------
inline constexpr uint8_t VK_BACK    = 8;
inline constexpr uint8_t VK_TAB     = 9;
inline constexpr uint8_t VK_RETURN  = 13;
inline constexpr uint8_t VK_SHIFT   = 16;
inline constexpr uint8_t VK_CONTROL = 17;
inline constexpr uint8_t VK_MENU    = 18;  // Alt
inline constexpr uint8_t VK_ESCAPE  = 27;
inline constexpr uint8_t VK_SPACE   = 32;
inline constexpr uint8_t VK_LEFT    = 37;
inline constexpr uint8_t VK_UP      = 38;
inline constexpr uint8_t VK_RIGHT   = 39;
inline constexpr uint8_t VK_DOWN    = 40;
inline constexpr uint8_t VK_F1      = 112;
inline constexpr uint8_t VK_F4      = 115;
inline constexpr uint8_t VK_F10     = 121;
inline constexpr uint8_t VK_F12     = 123;

// --- Client size in a WM_SIZE second parameter: width low 16 bits, height high ---
constexpr int32_t PackSize(int width, int height)
{
    return static_cast<int32_t>((static_cast<uint32_t>(height) & 0xFFFFu) << 16 |
                                (static_cast<uint32_t>(width) & 0xFFFFu));
}
constexpr int LowWord(int32_t value) { return static_cast<int>(static_cast<uint32_t>(value) & 0xFFFFu); }
constexpr int HighWord(int32_t value) { return static_cast<int>(static_cast<uint32_t>(value) >> 16); }

}  // namespace plat
