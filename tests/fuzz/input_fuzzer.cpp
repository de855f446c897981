// libFuzzer target for the input path: arbitrary sequences of posts, peeks and
// dispatches through the shell's window procedure, and arbitrary SDL events
// through the window layer's translation. Any broken invariant traps, so the
// fuzzer keeps the input that broke it. Needs no display and no GL context:
// GL calls without a current context do nothing under libglvnd.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "platform/sdl/sdl_internal.h"
#include "shell/core/requests.h"
#include "shell/core/window_proc.h"

namespace {

// Reads the fuzz input front to back; zeros once it runs out.
struct Bytes {
    const uint8_t* data;
    size_t size;
    size_t at = 0;

    bool More() const { return at < size; }
    uint8_t U8() { return at < size ? data[at++] : 0; }
    uint32_t U32()
    {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(U8()) << (8 * i);
        return v;
    }
};

void Check(bool ok, const char* what)
{
    if (ok) return;
    std::fprintf(stderr, "input invariant broken: %s\n", what);
    __builtin_trap();
}

constexpr uint8_t kGuard = 0xA5;

// The key record with guard bytes on both sides: a write outside 0..255 that
// stays inside this object is invisible to the address sanitizer.
struct GuardedKeys {
    uint8_t front[64];
    Keys keys;
    uint8_t back[64];
};

constexpr uint32_t kMessages[] = {
    plat::WM_CREATE,  plat::WM_SIZE,       plat::WM_CLOSE,       plat::WM_QUIT,
    plat::WM_KEYDOWN, plat::WM_KEYUP,      plat::WM_SYSKEYDOWN,  plat::WM_SYSKEYUP,
    plat::WM_SYSCOMMAND, TOGGLE_FULLSCREEN_MESSAGE, plat::WM_KILLFOCUS,
};
constexpr uint32_t kCommands[] = {
    plat::SC_MINIMIZE, plat::SC_MAXIMIZE, plat::SC_CLOSE, plat::SC_SCREENSAVE, plat::SC_MONITORPOWER, plat::SC_RESTORE,
};
constexpr uint32_t kEventTypes[] = {SDL_QUIT, SDL_WINDOWEVENT, SDL_KEYDOWN, SDL_KEYUP};

struct Harness {
    GuardedKeys guarded;
    Application application{};
    GL_Window glWindow{};
    plat::Window window;

    Harness()
    {
        std::memset(&guarded, 0, sizeof guarded);
        std::memset(guarded.front, kGuard, sizeof guarded.front);
        std::memset(guarded.back, kGuard, sizeof guarded.back);
        glWindow.keys = &guarded.keys;
        glWindow.windowHandle = &window;
        glWindow.application = &application;
        glWindow.width = 1024;
        glWindow.height = 768;
        glWindow.colorBits = 32;
        glWindow.fullScreen = 1;
        glWindow.visible = 1;
        window.procedure = WindowProc;
        window.creationParameter = &glWindow;
        window.nativeId = 1;
        g_isProgramLooping = 1;
        g_createFullScreen = 1;
    }

    // A message code: mostly the ones the shell handles, sometimes any value.
    static uint32_t PickMessage(Bytes& in)
    {
        const uint8_t pick = in.U8();
        return pick < 2 * std::size(kMessages) ? kMessages[pick % std::size(kMessages)] : in.U32();
    }
    // A first parameter: often a byte (key codes, size kinds), a system command,
    // a value just past the key range, or any value.
    static uint32_t PickFirst(Bytes& in)
    {
        const uint8_t pick = in.U8();
        if (pick < 128) return in.U8();
        if (pick < 160) return kCommands[pick % std::size(kCommands)] | (in.U8() & 0xFu);
        if (pick < 192) return 0x100u | in.U8();
        return in.U32();
    }

    // Dispatches one message and checks what the window procedure did against
    // what it may do: one key entry set or cleared (and struck on a key-down),
    // every key released on a focus loss, visibility 0 or 1 on size
    // notifications, the rest of the window record untouched.
    void Dispatch(const plat::Message& m)
    {
        const bool known = plat::GetUserData(&window) != 0 || m.message == plat::WM_CREATE;
        Keys expectedKeys = guarded.keys;
        int32_t expectedVisible = glWindow.visible;
        if (known && (m.message == plat::WM_KEYDOWN || m.message == plat::WM_KEYUP) && m.first <= 255) {
            expectedKeys.pressed[m.first] = m.message == plat::WM_KEYDOWN ? 1 : 0;
            if (m.message == plat::WM_KEYDOWN) expectedKeys.struck[m.first] = 1;
        }
        if (plat::GetUserData(&window) != 0 && m.message == plat::WM_KILLFOCUS)
            for (int32_t& key : expectedKeys.pressed) key = 0;
        if (plat::GetUserData(&window) != 0 && m.message == plat::WM_SIZE) {
            if (m.first == plat::SIZE_MINIMIZED) expectedVisible = 0;
            if (m.first == plat::SIZE_RESTORED || m.first == plat::SIZE_MAXIMIZED) expectedVisible = 1;
        }
        const GL_Window before = glWindow;

        plat::DispatchMessage(&window, m);

        for (uint8_t b : guarded.front) Check(b == kGuard, "write before the key array");
        for (uint8_t b : guarded.back) Check(b == kGuard, "write after the key array");
        Check(std::memcmp(&expectedKeys, &guarded.keys, sizeof(Keys)) == 0, "key entry other than the message's");
        Check(glWindow.visible == 0 || glWindow.visible == 1, "visible outside 0..1");
        Check(glWindow.visible == expectedVisible, "visible changed by a message that does not set it");
        Check(before.keys == glWindow.keys && before.windowHandle == glWindow.windowHandle &&
                  before.deviceContext == glWindow.deviceContext &&
                  before.renderContext == glWindow.renderContext &&
                  before.application == glWindow.application && before.width == glWindow.width &&
                  before.height == glWindow.height && before.colorBits == glWindow.colorBits &&
                  before.fullScreen == glWindow.fullScreen && before.lastTick == glWindow.lastTick,
              "window record changed by a message");
        const intptr_t user = plat::GetUserData(&window);
        Check(user == 0 || user == reinterpret_cast<intptr_t>(&glWindow), "user data other than the creation parameter");
        Check(g_isProgramLooping == 0 || g_isProgramLooping == 1, "looping flag outside 0..1");
        Check(g_createFullScreen == 0 || g_createFullScreen == 1, "full-screen request outside 0..1");
    }

    void Post(const plat::Message& m)
    {
        const size_t count = window.queue.Count();
        const bool posted = plat::PostMessage(&window, m.message, m.first, m.second);
        Check(posted == (count < plat::MessageQueue::kCapacity), "post refused with room, or taken when full");
        Check(window.queue.Count() == count + (posted ? 1 : 0), "queue count off after a post");
    }

    // Peeks like the inner loop: WM_QUIT ends a pass, anything else is dispatched.
    bool PeekAndDispatch()
    {
        const size_t count = window.queue.Count();
        plat::Message m{};
        const bool taken = plat::PeekMessage(&window, &m);
        Check(taken == (count > 0), "peek disagrees with the queue's count");
        if (!taken) return false;
        if (m.message != plat::WM_QUIT) Dispatch(m);
        return true;
    }

    // An SDL event built from the input, translated as the pump translates it.
    void Event(Bytes& in)
    {
        SDL_Event e;
        uint8_t raw[sizeof(SDL_Event)];
        for (uint8_t& b : raw) b = in.U8();
        std::memcpy(&e, raw, sizeof e);
        const uint8_t pick = in.U8();
        if (pick < 4 * std::size(kEventTypes)) e.type = kEventTypes[pick % std::size(kEventTypes)];
        if (pick & 1) e.window.windowID = window.nativeId;  // same offset as key.windowID
        if (e.type == SDL_WINDOWEVENT && (pick & 2)) e.window.event = static_cast<Uint8>(in.U8() % 16);

        const plat::Message m = plat::sdl::TranslateEvent(window, e);
        switch (m.message) {
        case 0: case plat::WM_CLOSE: case plat::WM_KILLFOCUS: break;
        case plat::WM_SIZE:
            Check(m.first <= plat::SIZE_MAXIMIZED, "size kind outside 0..2");
            break;
        case plat::WM_KEYDOWN: case plat::WM_KEYUP: case plat::WM_SYSKEYDOWN: case plat::WM_SYSKEYUP:
            Check(m.first >= 1 && m.first <= 255, "key code outside 1..255");
            break;
        default: Check(false, "translated into a message the layer never sends");
        }
        if (m.message != 0) Post(m);
    }

    void Run(Bytes& in)
    {
        while (in.More()) {
            switch (in.U8() % 7) {
            case 0: {
                const uint32_t message = PickMessage(in);
                const uint32_t first = PickFirst(in);
                Post(plat::Message{message, first, static_cast<int32_t>(in.U32())});
                break;
            }
            case 1: PeekAndDispatch(); break;
            case 2: {
                const uint32_t message = PickMessage(in);
                const uint32_t first = PickFirst(in);
                Dispatch(plat::Message{message, first, static_cast<int32_t>(in.U32())});
                break;
            }
            case 3: Event(in); break;
            case 4:  // every message the queue holds, and whatever handling them posts
                for (size_t n = 0; n < 4 * plat::MessageQueue::kCapacity && PeekAndDispatch(); ++n) {}
                break;
            case 5: plat::SetUserData(&window, 0); break;  // as before WM_CREATE
            case 6: {  // no window: refused or ignored, never dereferenced
                plat::Message m{};
                Check(!plat::PostMessage(nullptr, PickMessage(in), 0, 0), "post to no window accepted");
                Check(!plat::PeekMessage(nullptr, &m), "peek on no window took a message");
                Check(plat::DispatchMessage(nullptr, m) == 0, "dispatch to no window handled");
                plat::WaitMessage(&window);  // a queue-only window never blocks
                break;
            }
            }
            Check(window.queue.Count() <= plat::MessageQueue::kCapacity, "queue over its capacity");
        }
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Bytes in{data, size};
    Harness harness;
    harness.Run(in);
    return 0;
}
