// The page's key names (KeyboardEvent.code) as the virtual-key codes the shell
// indexes its key state with, through the same table as the desktop's keys.
#include <gtest/gtest.h>

#include "platform/web/page_keys.h"

TEST(PageKeys, CodesByKeyName)
{
    const struct { const char* code; int vk; } rows[] = {
        {"Escape", 27},     {"F1", 112},       {"F12", 123},      {"F13", 124},     {"F24", 135},
        {"KeyA", 'A'},      {"KeyZ", 'Z'},     {"Digit0", '0'},   {"Digit9", '9'},  {"Numpad0", 96},
        {"Numpad9", 105},   {"Enter", 13},     {"NumpadEnter", 13}, {"Space", 32},  {"ArrowLeft", 37},
        {"ShiftRight", 16}, {"AltLeft", 18},   {"Backquote", 192},
        {"", 0},            {"F0", 0},         {"F25", 0},        {"F1x", 0},       {"Keya", 0},
        {"KeyAB", 0},       {"Digit10", 0},    {"Unidentified", 0}, {"Lang1", 0},
    };
    for (const auto& r : rows)
        EXPECT_EQ(plat::VirtualKeyFromScancode(plat::ScancodeFromKeyCode(r.code)), r.vk) << '"' << r.code << '"';
}
