// The shell's window and context on SDL's offscreen video driver, through the
// same calls as on a desktop: a new window starts with every key released,
// whatever was held before; a window going releases its keys; and the cursor's
// show count decides what SDL shows.
#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <numeric>

#include "shell/shell.h"

namespace {

int Sum(const int32_t (&keys)[256]) { return std::accumulate(std::begin(keys), std::end(keys), 0); }

// A registered class and a 64 x 48 windowed GL window on the offscreen driver.
struct OffscreenShell {
    Application application = {plat::ModuleInstance(), "OpenGL"};
    Keys keys = {};
    GL_Window window = {};

    OffscreenShell()
    {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");  // cleared by every SDL_Quit
        window.keys = &keys;
        window.application = &application;
        window.title = "norvex test";
        window.width = 64;
        window.height = 48;
        window.colorBits = 32;
    }
    ~OffscreenShell()
    {
        DestroyWindowGL(&window);
        plat::UnregisterClass(application.className, application.instance);
    }
    bool Create() { return RegisterWindowClass(&application) == 1 && CreateWindowGL(&window) == 1; }
};

}  // namespace

TEST(WindowLayerGL, KeysStartReleasedAndGoWithTheWindow)
{
    OffscreenShell shell;
    // Held and struck before the window exists, as F1 is through a rebuild.
    for (int key : {int{plat::VK_F1}, int{plat::VK_ESCAPE}, 255}) shell.keys.pressed[key] = shell.keys.struck[key] = 1;
    ASSERT_TRUE(shell.Create()) << SDL_GetError();
    EXPECT_EQ(Sum(shell.keys.pressed), 0);
    EXPECT_EQ(Sum(shell.keys.struck), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    plat::DispatchMessage(shell.window.windowHandle, {plat::WM_KEYDOWN, plat::VK_F1, plat::KEY_REPEAT_COUNT_ONE});
    ASSERT_EQ(shell.keys.pressed[plat::VK_F1], 1);
    DestroyWindowGL(&shell.window);
    EXPECT_EQ(Sum(shell.keys.pressed), 0) << "a key held when its window went";
    EXPECT_EQ(shell.keys.struck[plat::VK_F1], 1) << "a press struck still counts for the next frame";
}

TEST(WindowLayerGL, CursorShownWhileTheShowCountIsNotNegative)
{
    OffscreenShell shell;
    ASSERT_TRUE(shell.Create()) << SDL_GetError();
    const struct { bool show; int count; int shown; } steps[] = {
        {false, -1, SDL_DISABLE}, {false, -2, SDL_DISABLE}, {true, -1, SDL_DISABLE},
        {true, 0, SDL_ENABLE},    {true, 1, SDL_ENABLE},    {false, 0, SDL_ENABLE},
    };
    for (const auto& s : steps) {
        EXPECT_EQ(plat::ShowCursor(s.show), s.count);
        EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), s.shown) << "show count " << s.count;
    }
}
