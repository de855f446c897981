// Rules of the window layer that need no display: which display mode counts
// as the requested one, which pixel formats exist, the size packing of
// WM_SIZE, the cursor's show count and the class registry.
#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"
#include "platform/sdl/x11/gl_visual.h"

TEST(PlatformRules, DisplayModesPixelFormatsAndSizes)
{
    const plat::DisplayMode want{1024, 768, 32};
    const struct { plat::DisplayMode offered; bool matches; } modes[] = {
        {{1024, 768, 24}, true},  {{1024, 768, 32}, true},  {{1280, 1024, 24}, false},
        {{1024, 600, 24}, false}, {{800, 768, 24}, false},   {{1024, 768, 16}, false},
    };
    for (const auto& m : modes)
        EXPECT_EQ(plat::ModeMatches(want, m.offered), m.matches) << m.offered.width << "x" << m.offered.height;

    plat::PixelFormatDescriptor pfd = {};
    pfd.flags = plat::PFD_DRAW_TO_WINDOW | plat::PFD_SUPPORT_OPENGL | plat::PFD_DOUBLEBUFFER;
    EXPECT_EQ(plat::ClosestPixelFormat(pfd), plat::kWindowPixelFormat);
    pfd.pixelType = 1;  // colour-index
    EXPECT_EQ(plat::ClosestPixelFormat(pfd), 0);
    pfd.pixelType = plat::PFD_TYPE_RGBA;
    pfd.flags = plat::PFD_DRAW_TO_WINDOW;  // no OpenGL
    EXPECT_EQ(plat::ClosestPixelFormat(pfd), 0);

    const struct { int width, height; } sizes[] = {{1024, 768}, {0, 0}, {65535, 1}, {1, 65535}};
    for (const auto& s : sizes) {
        const int32_t packed = plat::PackSize(s.width, s.height);
        EXPECT_EQ(plat::LowWord(packed), s.width);
        EXPECT_EQ(plat::HighWord(packed), s.height);
    }
}

TEST(PlatformRules, CursorShowCountPairs)
{
    // Shown while the count is >= 0; hide and show calls pair up.
    EXPECT_EQ(plat::ShowCursor(false), -1);
    EXPECT_EQ(plat::ShowCursor(false), -2);
    EXPECT_EQ(plat::ShowCursor(true), -1);
    EXPECT_EQ(plat::ShowCursor(true), 0);
}

TEST(PlatformRules, ClassRegistryNeedsNoDisplay)
{
    const auto proc = [](plat::Window*, uint32_t, uint32_t, int32_t) -> int32_t { return 0; };
    plat::Instance other = {};
    plat::Instance* self = plat::ModuleInstance();
    const plat::WindowClass base = {plat::CS_OWNDC, proc, self, plat::IDC_ARROW, 12, "OpenGL"};
    auto with = [&](const char* name, plat::Instance* instance, plat::WindowProcedure p) {
        plat::WindowClass c = base;
        c.className = name;
        c.instance = instance;
        c.procedure = p;
        return plat::RegisterClass(c);
    };
    EXPECT_TRUE(with("OpenGL", self, proc));
    EXPECT_FALSE(with("OpenGL", self, proc));        // already registered
    EXPECT_TRUE(with("OpenGL", &other, proc));       // another instance's class
    EXPECT_FALSE(with("", self, proc));
    EXPECT_FALSE(with(nullptr, self, proc));
    EXPECT_FALSE(with("NoProcedure", self, nullptr));
    EXPECT_FALSE(with(std::string(64, 'x').c_str(), self, proc));  // longer than the layer keeps
    EXPECT_TRUE(with("Third", self, proc));
    EXPECT_TRUE(with("Fourth", self, proc));
    EXPECT_FALSE(with("Fifth", self, proc));         // the registry is full
    // A window of an unknown class is refused before any display is opened.
    EXPECT_EQ(plat::CreateWindow(0, "Fifth", "t", plat::WS_POPUP, 0, 0, 8, 8, self, nullptr, nullptr), nullptr);

    EXPECT_FALSE(plat::UnregisterClass("Fifth", self));
    EXPECT_FALSE(plat::UnregisterClass("OpenGL", nullptr));
    for (const char* name : {"OpenGL", "Third", "Fourth"}) EXPECT_TRUE(plat::UnregisterClass(name, self));
    EXPECT_TRUE(plat::UnregisterClass("OpenGL", &other));
    EXPECT_TRUE(with("OpenGL", self, proc));          // free again
    EXPECT_TRUE(plat::UnregisterClass("OpenGL", self));
}

// The X visual of a desktop window: the GLX configuration closest to the
// pixel format, not the one with the largest buffers that GLX likes best.
TEST(PlatformRules, ClosestGLConfig)
{
    // Red, green, blue, alpha, depth, stencil, samples, double-buffered, TrueColor, visual.
    const plat::x11::GLConfig offered[] = {
        {8, 8, 8, 8, 32, 0, 0, true, false, 1}, {8, 8, 8, 8, 24, 8, 0, true, true, 2},
        {8, 8, 8, 8, 16, 0, 0, true, false, 3}, {8, 8, 8, 8, 16, 0, 0, true, true, 4},
        {8, 8, 8, 8, 16, 0, 4, true, true, 5},  {8, 8, 8, 8, 24, 0, 8, true, true, 6},
        {8, 8, 8, 8, 16, 0, 0, false, true, 7}, {10, 10, 10, 2, 16, 0, 0, true, true, 8},
    };
    // Depth, stencil and samples asked for with 8-bit RGB, alpha and double buffering; the visual (0: none).
    // The demo's format; 4 samples; 8 (deeper); 2 (none, so without); a stencil; 24 bits; too deep.
    const struct { int depth, stencil, samples; uint32_t visual; } rows[] = {
        {16, 0, 0, 4}, {16, 0, 4, 5}, {16, 0, 8, 6}, {16, 0, 2, 4}, {16, 1, 0, 2}, {24, 0, 0, 2}, {48, 0, 0, 0},
    };
    for (const auto& r : rows) {
        const int chosen = plat::x11::ClosestConfig(offered, {8, 8, 8, 1, r.depth, r.stencil, r.samples, true, true, 0});
        EXPECT_EQ(chosen < 0 ? 0u : offered[chosen].visual, r.visual) << r.depth << ", " << r.stencil << ", " << r.samples;
    }
}
