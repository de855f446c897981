// The inner loop on a window without SDL behind it: messages are handled
// before every frame, requests posted during a frame take effect before the
// next one, a minimised window draws nothing, and the pieces drawn around the
// scene follow the window's size messages alone. Each case runs in a child
// process, because its frames advance the scene's global pools.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

#include "bare_window.h"
#include "shell/core/frame_pieces.h"

namespace {

struct Case {
    const char* what;
    int32_t visible;
    int32_t escapeHeld, f1Held;
    std::vector<plat::Message> queued;  // waiting before the loop starts
    const char* summary;                // frames, full-screen request, looping, messages left, sizes
};

// A piece that notes the sizes it is told.
struct SizeLog : FramePiece {
    std::string sizes;
    void Resize(int32_t width, int32_t height) override { sizes += std::to_string(width) + "x" + std::to_string(height) + ","; }
};

[[noreturn]] void RunCase(const Case& c)
{
    BareWindow bare;
    plat::Window& w = bare.w;
    Keys& keys = bare.keys;
    GL_Window& record = bare.record;
    WindowProc(&w, plat::WM_CREATE, 0, 0);
    g_window = &record;  // what Initialize stores for Update
    g_keys = &keys;
    g_createFullScreen = 1;
    g_isProgramLooping = 1;
    record.visible = c.visible;
    keys.pressed[plat::VK_ESCAPE] = c.escapeHeld;
    keys.pressed[plat::VK_F1] = c.f1Held;
    for (const plat::Message& m : c.queued) plat::PostMessage(&w, m.message, m.first, m.second);

    SizeLog log;
    FramePieces pieces;
    pieces.Add(&log);
    const uint32_t frames = RunMessageLoop(&record, &pieces);

    std::string left;
    plat::Message m{};
    while (plat::PeekMessage(&w, &m)) left += std::to_string(m.message) + ",";
    std::fprintf(stderr, "summary frames=%u full=%d looping=%d left=%s sized=%s.\n", frames, g_createFullScreen,
                 g_isProgramLooping, left.c_str(), log.sizes.c_str());
    std::fflush(stderr);
    _exit(0);
}

}  // namespace

TEST(MainLoop, RequestsTakeEffectBeforeTheNextFrame)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const plat::Message f1Down{plat::WM_KEYDOWN, plat::VK_F1, 1}, f1Up{plat::WM_KEYUP, plat::VK_F1, 1};
    const plat::Message escDown{plat::WM_KEYDOWN, plat::VK_ESCAPE, 1}, escUp{plat::WM_KEYUP, plat::VK_ESCAPE, 1};
    const plat::Message focusLost{plat::WM_KILLFOCUS, 0, 0};
    const Case cases[] = {
        // F1 held: one frame posts the toggle, which ends the loop before a second frame.
        {"f1", 1, 0, 1, {}, "frames=1 full=0 looping=1 left= sized=\\."},
        // Escape and F1 in one frame: WM_QUIT is read first, the toggle is never handled.
        {"escape and f1", 1, 1, 1, {}, "frames=1 full=1 looping=0 left=1025, sized=\\."},
        // Minimised: no frame, even with Escape held; a close request still ends the loop.
        {"minimised close", 0, 1, 0, {{plat::WM_CLOSE, 0, 0}}, "frames=0 full=1 looping=0 left= sized=\\."},
        // Restored: frames again.
        {"restored", 0, 0, 0, {{plat::WM_SIZE, plat::SIZE_RESTORED, plat::PackSize(64, 48)}, f1Down},
         "frames=1 full=0 looping=1 left= sized=64x48,\\."},
        // A press and its release handled together before a frame still count for that frame
        // (the other key held, so that the case ends either way).
        {"tap", 1, 0, 1, {escDown, escUp}, "frames=1 full=1 looping=0 left=1025, sized=\\."},
        {"tap of F1", 1, 1, 0, {f1Down, f1Up}, "frames=1 full=1 looping=0 left=1025, sized=\\."},
        // The focus gone: a held key is released, a press struck before it still counts.
        {"held, focus lost", 1, 1, 0, {focusLost, f1Down}, "frames=1 full=0 looping=1 left= sized=\\."},
        {"struck, focus lost", 1, 0, 0, {escDown, focusLost, f1Down}, "frames=1 full=1 looping=0 left=1025, sized=\\."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EXIT(RunCase(c), testing::ExitedWithCode(0), std::string("summary ") + c.summary);
    }
}
