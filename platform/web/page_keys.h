// The page's keys: a KeyboardEvent's code (the physical key, "KeyA", "F1",
// "Escape") as the USB HID usage number that the window layer's key table is
// written in, so the page and the desktop map keys the same way.
#pragma once

#include <string_view>

#include "platform/key_table.h"

namespace plat {

namespace page_keys {

struct NamedKey {
    std::string_view code;
    int usage;
};

// Keys whose codes carry no number; the numbered ranges are parsed below.
inline constexpr NamedKey kNamed[] = {
    {"Enter", scancode::RETURN},          {"Escape", scancode::ESCAPE},
    {"Backspace", scancode::BACKSPACE},   {"Tab", scancode::TAB},
    {"Space", scancode::SPACE},           {"Minus", scancode::MINUS},
    {"Equal", scancode::EQUALS},          {"BracketLeft", scancode::LEFTBRACKET},
    {"BracketRight", scancode::RIGHTBRACKET}, {"Backslash", scancode::BACKSLASH},
    {"Semicolon", scancode::SEMICOLON},   {"Quote", scancode::APOSTROPHE},
    {"Backquote", scancode::GRAVE},       {"Comma", scancode::COMMA},
    {"Period", scancode::PERIOD},         {"Slash", scancode::SLASH},
    {"CapsLock", scancode::CAPSLOCK},     {"PrintScreen", scancode::PRINTSCREEN},
    {"ScrollLock", scancode::SCROLLLOCK}, {"Pause", scancode::PAUSE},
    {"Insert", scancode::INSERT},         {"Home", scancode::HOME},
    {"PageUp", scancode::PAGEUP},         {"Delete", scancode::DELETE},
    {"End", scancode::END},               {"PageDown", scancode::PAGEDOWN},
    {"ArrowRight", scancode::RIGHT},      {"ArrowLeft", scancode::LEFT},
    {"ArrowDown", scancode::DOWN},        {"ArrowUp", scancode::UP},
    {"NumLock", scancode::NUMLOCKCLEAR},  {"NumpadDivide", scancode::KP_DIVIDE},
    {"NumpadMultiply", scancode::KP_MULTIPLY}, {"NumpadSubtract", scancode::KP_MINUS},
    {"NumpadAdd", scancode::KP_PLUS},     {"NumpadEnter", scancode::KP_ENTER},
    {"NumpadDecimal", scancode::KP_PERIOD}, {"IntlBackslash", scancode::NONUSBACKSLASH},
    {"ContextMenu", scancode::APPLICATION}, {"ControlLeft", scancode::LCTRL},
    {"ShiftLeft", scancode::LSHIFT},      {"AltLeft", scancode::LALT},
    {"MetaLeft", scancode::LGUI},         {"ControlRight", scancode::RCTRL},
    {"ShiftRight", scancode::RSHIFT},     {"AltRight", scancode::RALT},
    {"MetaRight", scancode::RGUI},
};

// The number after a prefix ("F12" -> 12), or -1 when the rest is not 1-2 digits.
constexpr int NumberAfter(std::string_view code, std::string_view prefix)
{
    if (code.substr(0, prefix.size()) != prefix) return -1;
    const std::string_view digits = code.substr(prefix.size());
    if (digits.empty() || digits.size() > 2) return -1;
    int n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

}  // namespace page_keys

// 0 for a code no key of the table has.
constexpr int ScancodeFromKeyCode(std::string_view code)
{
    namespace sc = scancode;
    using page_keys::NumberAfter;
    if (code.size() == 4 && code.substr(0, 3) == "Key" && code[3] >= 'A' && code[3] <= 'Z')
        return sc::A + (code[3] - 'A');
    if (const int n = NumberAfter(code, "Digit"); n >= 0 && n <= 9) return n == 0 ? sc::N0 : sc::N1 + n - 1;
    if (const int n = NumberAfter(code, "Numpad"); n >= 0 && n <= 9) return n == 0 ? sc::KP_0 : sc::KP_1 + n - 1;
    if (const int n = NumberAfter(code, "F"); n >= 1 && n <= 24) return n <= 12 ? sc::F1 + n - 1 : sc::F13 + n - 13;
    for (const page_keys::NamedKey& k : page_keys::kNamed)
        if (k.code == code) return k.usage;
    return 0;
}

}  // namespace plat
