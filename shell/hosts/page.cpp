// The web build's entry: the demo as the desktop entry runs it, with the
// start-up seed pinned and the frame-rate cap set when the page's address
// asks for them, and the page told when it has ended.
#include "platform/web/page.h"
#include "shell/core/display_settings.h"
#include "shell/core/main_loop.h"
#include "world/crt.h"

int main()
{
    const int64_t seed = plat::page::PinnedSeed();
    const int64_t maxFps = plat::page::MaxFps();
    if (seed == plat::page::kBadSeed || maxFps == plat::page::kBadSeed) {
        plat::page::Ended(2);
        return 2;
    }
    if (seed >= 0) crt::PinTime(static_cast<unsigned>(seed));
    if (maxFps >= 0) g_display.maxFps = static_cast<uint32_t>(maxFps);
    const int code = WinMain(plat::ModuleInstance(), nullptr, "", plat::SW_SHOWNORMAL);
    plat::page::Ended(code);
    return code;
}
