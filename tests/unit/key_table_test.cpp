// The key table and the key messages: virtual-key codes by physical key, the
// system-key family, and codes that must never index the key state.
#include <gtest/gtest.h>

#include "platform/key_table.h"

namespace sc = plat::scancode;

TEST(KeyTable, CodesByKey)
{
    const struct { int scancode; int vk; } rows[] = {
        {sc::ESCAPE, 27},  {sc::F1, 112},      {sc::F12, 123},     {sc::F1 + 9, 121},
        {sc::A, 'A'},      {sc::Z, 'Z'},       {sc::A + 12, 'M'},  {sc::N1, '1'},
        {sc::N9, '9'},     {sc::N0, '0'},      {sc::SPACE, 32},    {sc::RETURN, 13},
        {sc::KP_ENTER, 13}, {sc::TAB, 9},      {sc::BACKSPACE, 8}, {sc::LEFT, 37},
        {sc::UP, 38},      {sc::RIGHT, 39},    {sc::DOWN, 40},     {sc::KP_0, 96},
        {sc::KP_9, 105},   {sc::F13, 124},     {sc::F24, 135},     {sc::LSHIFT, 16},
        {sc::RSHIFT, 16},  {sc::LCTRL, 17},    {sc::LALT, 18},     {sc::RALT, 18},
        {0, 0},            {3, 0},             {sc::RGUI + 1, 0},  {511, 0},
    };
    for (const auto& r : rows) EXPECT_EQ(plat::VirtualKeyFromScancode(r.scancode), r.vk) << r.scancode;
    // Distinct physical keys keep distinct codes, apart from the left/right and keypad twins.
    int letters = 0;
    for (int code : plat::kVirtualKeys) letters += code >= 'A' && code <= 'Z';
    EXPECT_EQ(letters, 26);
}

TEST(KeyTable, KeycodesAndStrayNumbersNeverIndexTheState)
{
    // SDL keycodes (F1 is 0x4000003A, Escape 27) are not scancodes; nor are
    // negative or huge values. Out of the table they give no key at all.
    for (long long code : {0x4000003ALL, 0x40000045LL, 0x400000E2LL, -1LL, -27LL, 512LL, 0x7FFFFFFFLL}) {
        const int c = static_cast<int>(code);
        EXPECT_EQ(plat::VirtualKeyFromScancode(c), 0) << code;
        EXPECT_EQ(plat::TranslateKey(c, true, false, false).message, 0u) << code;
    }
}

TEST(KeyTable, KeyMessages)
{
    using plat::Message;
    constexpr int32_t one = plat::KEY_REPEAT_COUNT_ONE, alt = plat::KEY_ALT_HELD;
    constexpr int32_t was = plat::KEY_WAS_DOWN, up = plat::KEY_RELEASED;
    const struct { int scancode; bool down, repeat, alt; Message expected; } rows[] = {
        {sc::ESCAPE, true, false, false, {plat::WM_KEYDOWN, 27, one}},
        {sc::ESCAPE, false, false, false, {plat::WM_KEYUP, 27, one | was | up}},
        {sc::F1, true, true, false, {plat::WM_KEYDOWN, 112, one | was}},
        {sc::F1, true, false, true, {plat::WM_SYSKEYDOWN, 112, one | alt}},      // Alt+F1
        {sc::F1 + 3, true, false, true, {plat::WM_SYSKEYDOWN, 115, one | alt}},  // Alt+F4
        {sc::ESCAPE, false, false, true, {plat::WM_SYSKEYUP, 27, one | alt | was | up}},
        {sc::F1 + 9, true, false, false, {plat::WM_SYSKEYDOWN, 121, one}},       // F10 alone
        {sc::F1 + 9, false, false, false, {plat::WM_SYSKEYUP, 121, one | was | up}},
        {sc::LALT, true, false, false, {plat::WM_SYSKEYDOWN, 18, one}},          // Alt itself
        {sc::A, true, false, false, {plat::WM_KEYDOWN, 'A', one}},
        {sc::RGUI + 1, true, false, false, {0, 0, 0}},                            // no code: nothing
    };
    for (const auto& r : rows) {
        const Message m = plat::TranslateKey(r.scancode, r.down, r.repeat, r.alt);
        EXPECT_EQ(m.message, r.expected.message) << r.scancode;
        EXPECT_EQ(m.first, r.expected.first) << r.scancode;
        EXPECT_EQ(m.second, r.expected.second) << r.scancode;
    }
}
