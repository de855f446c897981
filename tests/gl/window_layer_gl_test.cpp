// The shell's window on SDL's offscreen video driver, through the calls a
// desktop gets: a new window starts with every key released, a window going
// releases its keys, and the cursor's show count decides what SDL shows.
#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <numeric>

#include "platform/platform.h"
#include "shell/core/window_gl.h"

TEST(WindowLayerGL, KeysAndCursorOfARealWindow)
{
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");  // cleared by every SDL_Quit
    Application application = {plat::ModuleInstance(), "OpenGL"};
    Keys keys = {};
    GL_Window window = {&keys, nullptr, nullptr, nullptr, &application, "norvex test", 64, 48, 32, 0, 0, 0};
    for (int key : {int{plat::VK_F1}, int{plat::VK_ESCAPE}, 255}) keys.pressed[key] = keys.struck[key] = 1;
    const auto sum = [](const int32_t(&k)[256]) { return std::accumulate(std::begin(k), std::end(k), 0); };

    ASSERT_EQ(RegisterWindowClass(&application), 1);
    ASSERT_EQ(CreateWindowGL(&window), 1) << SDL_GetError();
    EXPECT_EQ(sum(keys.pressed) + sum(keys.struck), 0) << "a key held or struck before the window";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    const struct { bool show; int count, shown; } cursor[] = {
        {false, -1, SDL_DISABLE}, {false, -2, SDL_DISABLE}, {true, -1, SDL_DISABLE},
        {true, 0, SDL_ENABLE},    {true, 1, SDL_ENABLE},    {false, 0, SDL_ENABLE},
    };
    for (const auto& c : cursor) {
        EXPECT_EQ(plat::ShowCursor(c.show), c.count);
        EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), c.shown) << "show count " << c.count;
    }

    plat::DispatchMessage(window.windowHandle, {plat::WM_KEYDOWN, plat::VK_F1, plat::KEY_REPEAT_COUNT_ONE});
    DestroyWindowGL(&window);
    EXPECT_EQ(sum(keys.pressed), 0) << "a key held when its window went";
    EXPECT_EQ(keys.struck[plat::VK_F1], 1) << "a press struck still counts for the next frame";
    plat::UnregisterClass(application.className, application.instance);
}
