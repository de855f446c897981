// Keyboard translation: physical key positions (SDL scancodes, which are USB
// HID usage numbers) to the 0..255 virtual-key codes the shell indexes its key
// state with, and the key message a press or release becomes. No SDL here:
// platform/sdl/scancodes.cpp checks the scancode numbers against SDL's.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/messages.h"

namespace plat {

inline constexpr int kScancodeCount = 512;  // SDL_NUM_SCANCODES

// USB HID usage numbers of the keys the table maps (SDL_SCANCODE_* values).
namespace scancode {
inline constexpr int A = 4, Z = 29, N1 = 30, N9 = 38, N0 = 39;
inline constexpr int RETURN = 40, ESCAPE = 41, BACKSPACE = 42, TAB = 43, SPACE = 44;
inline constexpr int MINUS = 45, EQUALS = 46, LEFTBRACKET = 47, RIGHTBRACKET = 48, BACKSLASH = 49;
inline constexpr int NONUSHASH = 50, SEMICOLON = 51, APOSTROPHE = 52, GRAVE = 53, COMMA = 54;
inline constexpr int PERIOD = 55, SLASH = 56, CAPSLOCK = 57, F1 = 58, F12 = 69;
inline constexpr int PRINTSCREEN = 70, SCROLLLOCK = 71, PAUSE = 72, INSERT = 73, HOME = 74;
inline constexpr int PAGEUP = 75, DELETE = 76, END = 77, PAGEDOWN = 78;
inline constexpr int RIGHT = 79, LEFT = 80, DOWN = 81, UP = 82;
inline constexpr int NUMLOCKCLEAR = 83, KP_DIVIDE = 84, KP_MULTIPLY = 85, KP_MINUS = 86;
inline constexpr int KP_PLUS = 87, KP_ENTER = 88, KP_1 = 89, KP_9 = 97, KP_0 = 98, KP_PERIOD = 99;
inline constexpr int NONUSBACKSLASH = 100, APPLICATION = 101, F13 = 104, F24 = 115;
inline constexpr int LCTRL = 224, LSHIFT = 225, LALT = 226, LGUI = 227;
inline constexpr int RCTRL = 228, RSHIFT = 229, RALT = 230, RGUI = 231;
}  // namespace scancode

// Scancode -> virtual-key code; 0 where a key has no code.
inline constexpr std::array<uint8_t, kScancodeCount> kVirtualKeys = [] {
    namespace sc = scancode;
    std::array<uint8_t, kScancodeCount> t{};
    for (int i = 0; i <= sc::Z - sc::A; ++i) t[sc::A + i] = static_cast<uint8_t>('A' + i);
    for (int i = 0; i <= sc::N9 - sc::N1; ++i) t[sc::N1 + i] = static_cast<uint8_t>('1' + i);
    t[sc::N0] = '0';
    for (int i = 0; i <= sc::F12 - sc::F1; ++i) t[sc::F1 + i] = static_cast<uint8_t>(VK_F1 + i);
    for (int i = 0; i <= sc::F24 - sc::F13; ++i) t[sc::F13 + i] = static_cast<uint8_t>(124 + i);
    for (int i = 0; i <= sc::KP_9 - sc::KP_1; ++i) t[sc::KP_1 + i] = static_cast<uint8_t>(97 + i);
    t[sc::KP_0] = 96;
    // key                   code            key                  code
    t[sc::RETURN]       = VK_RETURN;   t[sc::ESCAPE]       = VK_ESCAPE;
    t[sc::BACKSPACE]    = VK_BACK;     t[sc::TAB]          = VK_TAB;
    t[sc::SPACE]        = VK_SPACE;    t[sc::CAPSLOCK]     = 20;
    t[sc::MINUS]        = 189;         t[sc::EQUALS]       = 187;
    t[sc::LEFTBRACKET]  = 219;         t[sc::RIGHTBRACKET] = 221;
    t[sc::BACKSLASH]    = 220;         t[sc::NONUSHASH]    = 220;
    t[sc::SEMICOLON]    = 186;         t[sc::APOSTROPHE]   = 222;
    t[sc::GRAVE]        = 192;         t[sc::COMMA]        = 188;
    t[sc::PERIOD]       = 190;         t[sc::SLASH]        = 191;
    t[sc::PRINTSCREEN]  = 44;          t[sc::SCROLLLOCK]   = 145;
    t[sc::PAUSE]        = 19;          t[sc::INSERT]       = 45;
    t[sc::HOME]         = 36;          t[sc::PAGEUP]       = 33;
    t[sc::DELETE]       = 46;          t[sc::END]          = 35;
    t[sc::PAGEDOWN]     = 34;          t[sc::RIGHT]        = VK_RIGHT;
    t[sc::LEFT]         = VK_LEFT;     t[sc::DOWN]         = VK_DOWN;
    t[sc::UP]           = VK_UP;       t[sc::NUMLOCKCLEAR] = 144;
    t[sc::KP_DIVIDE]    = 111;         t[sc::KP_MULTIPLY]  = 106;
    t[sc::KP_MINUS]     = 109;         t[sc::KP_PLUS]      = 107;
    t[sc::KP_ENTER]     = VK_RETURN;   t[sc::KP_PERIOD]    = 110;
    t[sc::NONUSBACKSLASH] = 226;       t[sc::APPLICATION]  = 93;
    t[sc::LCTRL]        = VK_CONTROL;  t[sc::RCTRL]        = VK_CONTROL;
    t[sc::LSHIFT]       = VK_SHIFT;    t[sc::RSHIFT]       = VK_SHIFT;
    t[sc::LALT]         = VK_MENU;     t[sc::RALT]         = VK_MENU;
    t[sc::LGUI]         = 91;          t[sc::RGUI]         = 92;
    return t;
}();

// 0 for a scancode outside the table or without a code: such keys send nothing.
constexpr uint8_t VirtualKeyFromScancode(int code)
{
    return code >= 0 && code < kScancodeCount ? kVirtualKeys[static_cast<std::size_t>(code)] : 0;
}

// The message a key press or release becomes; message 0 for a key without a
// code. Keys pressed with Alt held, Alt itself and F10 belong to the system-key
// family (WM_SYSKEYDOWN / WM_SYSKEYUP), which never touches the key state.
constexpr Message TranslateKey(int code, bool down, bool repeat, bool altHeld)
{
    const uint8_t vk = VirtualKeyFromScancode(code);
    if (vk == 0) return Message{0, 0, 0};
    const bool system = altHeld || vk == VK_MENU || vk == VK_F10;
    int32_t flags = KEY_REPEAT_COUNT_ONE | (altHeld ? KEY_ALT_HELD : 0);
    if (!down) flags |= KEY_WAS_DOWN | KEY_RELEASED;
    else if (repeat) flags |= KEY_WAS_DOWN;
    const uint32_t message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN)
                                  : (system ? WM_SYSKEYUP : WM_KEYUP);
    return Message{message, vk, flags};
}

}  // namespace plat
