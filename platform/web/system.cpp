// Time, sleep and the message box on the page. Sleeping gives the page its
// turn (a browser tab must never spin), after the layer has drawn what it holds;
// the scene's own pause, std::this_thread::sleep_for, comes here through nanosleep.
#include <emscripten.h>

#include <cerrno>
#include <ctime>

#include "platform/gl11/fixed_function.h"
#include "platform/platform.h"
#include "platform/web/back_buffer.h"
#include "platform/web/page.h"
#include "platform/web/page_internal.h"

namespace plat {

uint32_t TickCount() { return static_cast<uint32_t>(static_cast<uint64_t>(emscripten_get_now())); }

void Sleep(uint32_t milliseconds)
{
    gl11::Flush();
    emscripten_sleep(milliseconds);
    page::BindBackBuffer();
}

// A line on the page: nothing there can wait for a button.
void MessageBox(const char* text, const char* caption) { norvex_page_message(caption, text); }

namespace page {

int64_t PinnedSeed() { return static_cast<int64_t>(norvex_page_seed()); }

int64_t MaxFps() { return norvex_page_max_fps(); }

void Ended(int exitCode) { norvex_page_ended(exitCode); }

}  // namespace page
}  // namespace plat

// Without threads the C library's sleep spins until the time is up; this one
// waits on the page's timer instead. It replaces the library's own at link time.
extern "C" int nanosleep(const struct timespec* request, struct timespec* remaining)
{
    if (request == nullptr || request->tv_sec < 0 || request->tv_nsec < 0 || request->tv_nsec > 999999999L) {
        errno = EINVAL;
        return -1;
    }
    plat::Sleep(static_cast<uint32_t>(request->tv_sec * 1000 + (request->tv_nsec + 999999L) / 1000000L));
    if (remaining) *remaining = timespec{0, 0};
    return 0;
}
