// The message queue on the page: keys and visibility arrive through the
// browser's events and are queued at once (F1 and the page's full-screen
// control may go to the browser instead); peeking first lets the canvas follow
// the page's layout; waiting gives the page turns until something arrives.
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cmath>

#include "platform/gl11/fixed_function.h"
#include "platform/key_table.h"
#include "platform/platform.h"
#include "platform/web/back_buffer.h"
#include "platform/web/page_internal.h"
#include "platform/web/page_keys.h"

namespace plat {
namespace page {
namespace {

// The demo's own keys: the browser's use of them (help, stop loading) would get in the way.
constexpr uint8_t kKeptFromBrowser[] = {VK_ESCAPE, VK_F1};

void PostFromPage(const Message& m)
{
    if (g_page.window && g_page.window->queue.RoomForEvents()) g_page.window->queue.Post(m);
    norvex_page_wake();
}

EM_BOOL OnKey(int type, const EmscriptenKeyboardEvent* e, void*)
{
    const Message m = TranslateKey(ScancodeFromKeyCode(e->code), type == EMSCRIPTEN_EVENT_KEYDOWN, e->repeat,
                                   e->altKey);
    if (m.message == 0) return EM_FALSE;
    if (m.message == WM_KEYDOWN && m.first == VK_F1 && !e->repeat && ShowFullScreenNow()) return EM_TRUE;
    PostFromPage(m);
    for (uint8_t vk : kKeptFromBrowser)
        if (m.first == vk) return EM_TRUE;
    return EM_FALSE;
}

EM_BOOL OnVisibility(int, const EmscriptenVisibilityChangeEvent* e, void*)
{
    g_page.hidden = e->hidden;
    if (e->hidden) PostFromPage(Message{WM_SIZE, SIZE_MINIMIZED, 0});
    else PostFromPage(Message{WM_SIZE, SIZE_RESTORED, PackSize(g_page.width, g_page.height)});
    return EM_FALSE;
}

}  // namespace

bool ShowFullScreenNow()
{
    if (g_page.window == nullptr || !g_page.fullScreen || norvex_page_showing_full_screen()) return false;
    norvex_page_enter_full_screen();
    return true;
}

void StartEvents()
{
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, OnKey);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, OnKey);
    emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, OnVisibility);
}

void StopEvents()
{
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, nullptr);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, nullptr);
    emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, nullptr);
}

void FollowPageSize()
{
    if (g_page.window == nullptr || g_page.hidden) return;
    int width = g_mode.width, height = g_mode.height;
    if (!g_page.fullScreen || !norvex_page_showing_full_screen()) {
        double cssWidth = 0, cssHeight = 0;
        emscripten_get_element_css_size(kCanvas, &cssWidth, &cssHeight);
        width = static_cast<int>(std::lround(cssWidth));
        height = static_cast<int>(std::lround(cssHeight));
    }
    if (width <= 0 || height <= 0 || (width == g_page.width && height == g_page.height)) return;
    g_page.width = width;
    g_page.height = height;
    emscripten_set_canvas_element_size(kCanvas, width, height);
    ResizeBackBuffer(width, height);
    g_page.window->queue.Post(Message{WM_SIZE, SIZE_RESTORED, PackSize(width, height)});
}

}  // namespace page

// The page's full-screen control: what F1 does.
extern "C" EMSCRIPTEN_KEEPALIVE void norvex_page_full_screen_control()
{
    if (page::ShowFullScreenNow()) return;
    page::PostFromPage(TranslateKey(scancode::F1, true, false, false));
    page::PostFromPage(TranslateKey(scancode::F1, false, false, false));
}

bool PeekMessage(Window* window, Message* message)
{
    if (window == nullptr || message == nullptr) return false;
    if (window == page::g_page.window) page::FollowPageSize();
    return window->queue.Take(message);
}

void WaitMessage(Window* window)
{
    if (window == nullptr || window->queue.Count() > 0) return;
    // A queue-only window has nothing that could ever arrive: do not wait.
    if (window != page::g_page.window) return;
    gl11::Flush();
    norvex_page_wait_event();
    page::BindBackBuffer();
}

void WaitMessageTimeout(Window* window, uint32_t milliseconds)
{
    if (window == nullptr || window->queue.Count() > 0 || milliseconds == 0) return;
    // Nothing can arrive for a queue-only window: the time simply passes.
    if (window != page::g_page.window) return Sleep(milliseconds);
    gl11::Flush();
    norvex_page_wait_event_timeout(static_cast<int>(milliseconds));
    page::BindBackBuffer();
}

}  // namespace plat
