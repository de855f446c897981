// The window procedure called directly, row by row of its message table, on a
// window without SDL behind it. (No GL context here: the viewport and
// projection side of WM_SIZE is checked in the GL tests.)
#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "bare_window.h"

namespace {

std::vector<uint32_t> Drain(plat::Window* w)
{
    std::vector<uint32_t> codes;
    plat::Message m{};
    while (plat::PeekMessage(w, &m)) codes.push_back(m.message);
    return codes;
}

}  // namespace

TEST(WindowProc, MessageTable)
{
    using V = std::vector<uint32_t>;
    constexpr uint32_t T = TOGGLE_FULLSCREEN_MESSAGE;
    const struct Row {
        const char* what;
        uint32_t message, first;
        int32_t second;
        int32_t visibleBefore, fullBefore, keyBefore;  // keyBefore: pressed[27] beforehand
        uint32_t defaults;                             // calls of default handling
        int32_t visible, full, looping;
        int keyIndex, keyValue;                        // -1: no entry may be set
        int struck;                                    // keys struck afterwards (at keyIndex)
        V queued;
    } rows[] = {
        {"minimise", plat::WM_SIZE, plat::SIZE_MINIMIZED, 0, 1, 1, 0, 0, 0, 1, 1, -1, 0, 0, {}},
        {"restore", plat::WM_SIZE, plat::SIZE_RESTORED, plat::PackSize(800, 600), 0, 1, 0, 0, 1, 1, 1, -1, 0, 0, {}},
        {"maximise", plat::WM_SIZE, plat::SIZE_MAXIMIZED, plat::PackSize(1280, 1024), 0, 1, 0, 0, 1, 1, 1, -1, 0, 0, {}},
        {"other size kind", plat::WM_SIZE, 3, 0, 0, 1, 0, 1, 0, 1, 1, -1, 0, 0, {}},
        {"close", plat::WM_CLOSE, 0, 0, 1, 1, 0, 0, 1, 1, 0, -1, 0, 0, {plat::WM_QUIT}},
        {"key down", plat::WM_KEYDOWN, 27, 1, 1, 1, 0, 0, 1, 1, 1, 27, 1, 1, {}},
        {"key up", plat::WM_KEYUP, 27, 1, 1, 1, 1, 0, 1, 1, 1, 27, 0, 0, {}},
        {"key 255", plat::WM_KEYDOWN, 255, 1, 1, 1, 0, 0, 1, 1, 1, 255, 1, 1, {}},
        {"key 256", plat::WM_KEYDOWN, 256, 1, 1, 1, 0, 1, 1, 1, 1, -1, 0, 0, {}},
        {"key up 0x4000003A", plat::WM_KEYUP, 0x4000003A, 1, 1, 1, 0, 1, 1, 1, 1, -1, 0, 0, {}},
        {"key down ~0", plat::WM_KEYDOWN, 0xFFFFFFFF, 1, 1, 1, 0, 1, 1, 1, 1, -1, 0, 0, {}},
        {"screen saver", plat::WM_SYSCOMMAND, plat::SC_SCREENSAVE, 0, 1, 1, 0, 0, 1, 1, 1, -1, 0, 0, {}},
        {"monitor power", plat::WM_SYSCOMMAND, plat::SC_MONITORPOWER, 2, 1, 1, 0, 0, 1, 1, 1, -1, 0, 0, {}},
        {"screen saver | 1", plat::WM_SYSCOMMAND, plat::SC_SCREENSAVE | 1, 0, 1, 1, 0, 1, 1, 1, 1, -1, 0, 0, {}},
        {"screen saver | F", plat::WM_SYSCOMMAND, plat::SC_SCREENSAVE | 0xF, 0, 1, 1, 0, 1, 1, 1, 1, -1, 0, 0, {}},
        {"monitor power | 2", plat::WM_SYSCOMMAND, plat::SC_MONITORPOWER | 2, 0, 1, 1, 0, 1, 1, 1, 1, -1, 0, 0, {}},
        {"system close", plat::WM_SYSCOMMAND, plat::SC_CLOSE, 0, 1, 1, 0, 1, 1, 1, 1, -1, 0, 0, {plat::WM_CLOSE}},
        {"alt+escape", plat::WM_SYSKEYDOWN, 27, plat::KEY_ALT_HELD, 1, 1, 0, 1, 1, 1, 1, -1, 0, 0, {}},
        {"alt+f4", plat::WM_SYSKEYDOWN, plat::VK_F4, plat::KEY_ALT_HELD, 1, 1, 0, 1, 1, 1, 1, -1, 0, 0, {plat::WM_CLOSE}},
        {"f10", plat::WM_SYSKEYDOWN, plat::VK_F10, 1, 1, 1, 0, 1, 1, 1, 1, -1, 0, 0, {}},
        {"toggle 1", T, 0, 0, 1, 1, 0, 1, 1, 0, 1, -1, 0, 0, {plat::WM_QUIT}},
        {"toggle 0", T, 0, 0, 1, 0, 0, 1, 1, 1, 1, -1, 0, 0, {plat::WM_QUIT}},
        {"toggle 5", T, 0, 0, 1, 5, 0, 1, 1, 1, 1, -1, 0, 0, {plat::WM_QUIT}},
        {"focus lost", plat::WM_KILLFOCUS, 0, 0, 1, 1, 1, 0, 1, 1, 1, 27, 0, 0, {}},
        {"unknown", 999, 1, 2, 1, 1, 0, 1, 1, 1, 1, -1, 0, 0, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        BareWindow bare;
        plat::Window& w = bare.w;
        Keys& keys = bare.keys;
        GL_Window& record = bare.record;
        ASSERT_EQ(WindowProc(&w, plat::WM_CREATE, 0, 0), 0);
        ASSERT_EQ(plat::GetUserData(&w), reinterpret_cast<intptr_t>(&record));
        record.visible = r.visibleBefore;
        keys.pressed[27] = r.keyBefore;
        g_createFullScreen = r.fullBefore;
        g_isProgramLooping = 1;

        EXPECT_EQ(WindowProc(&w, r.message, r.first, r.second), 0);
        EXPECT_EQ(w.defaultHandled, r.defaults);
        EXPECT_EQ(record.visible, r.visible);
        EXPECT_EQ(g_createFullScreen, r.full);
        EXPECT_EQ(g_isProgramLooping, r.looping);
        const int set = std::accumulate(std::begin(keys.pressed), std::end(keys.pressed), 0);
        if (r.keyIndex < 0) {
            EXPECT_EQ(set, r.keyBefore);
        } else {
            EXPECT_EQ(keys.pressed[r.keyIndex], r.keyValue);
            EXPECT_EQ(set, r.keyValue);
            EXPECT_EQ(keys.struck[r.keyIndex], r.struck);
        }
        EXPECT_EQ(std::accumulate(std::begin(keys.struck), std::end(keys.struck), 0), r.struck);
        EXPECT_EQ(Drain(&w), r.queued);
        EXPECT_EQ(record.windowHandle, &w);  // nothing here destroys the window
    }
}

TEST(WindowProc, BeforeCreateRecordMessagesAreDefault)
{
    // No window record yet: size, close, focus and key messages cannot reach it.
    plat::Window w;
    w.procedure = WindowProc;
    g_isProgramLooping = 1;
    for (uint32_t message : {plat::WM_SIZE, plat::WM_CLOSE, plat::WM_KEYDOWN, plat::WM_KEYUP, plat::WM_KILLFOCUS})
        EXPECT_EQ(WindowProc(&w, message, plat::SIZE_RESTORED, plat::PackSize(640, 480)), 0);
    EXPECT_EQ(w.defaultHandled, 5u);
    EXPECT_EQ(g_isProgramLooping, 1);
    EXPECT_TRUE(Drain(&w).empty());
}
