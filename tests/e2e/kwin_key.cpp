// Presses and releases one key through KWin's fake-input protocol, as its own
// remote-input clients do: a real key to whichever surface has the keyboard
// (KWin must run with KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 to allow it here).
// Usage: kwin_key KEYCODE (a Linux input code, 45 for X). Exit 1 when it cannot.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <wayland-client.h>

#include "fake-input-client-protocol.h"

namespace {

org_kde_kwin_fake_input* g_input = nullptr;

void Global(void*, wl_registry* registry, uint32_t name, const char* interface, uint32_t version)
{
    if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= 4)
        g_input = static_cast<org_kde_kwin_fake_input*>(wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 4));
}
void GlobalRemove(void*, wl_registry*, uint32_t) {}
constexpr wl_registry_listener kRegistry = {Global, GlobalRemove};

}  // namespace

int main(int argc, char** argv)
{
    wl_display* display = argc == 2 ? wl_display_connect(nullptr) : nullptr;
    if (display == nullptr) return std::fprintf(stderr, "usage: kwin_key KEYCODE, with a compositor\n"), 1;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kRegistry, nullptr);
    wl_display_roundtrip(display);
    if (g_input == nullptr) return std::fprintf(stderr, "kwin_key: no org_kde_kwin_fake_input version 4\n"), 1;
    const uint32_t key = static_cast<uint32_t>(std::atoi(argv[1]));
    org_kde_kwin_fake_input_authenticate(g_input, "norvex tests", "a key press, as a user makes it");
    org_kde_kwin_fake_input_keyboard_key(g_input, key, WL_KEYBOARD_KEY_STATE_PRESSED);
    wl_display_roundtrip(display);
    org_kde_kwin_fake_input_keyboard_key(g_input, key, WL_KEYBOARD_KEY_STATE_RELEASED);
    const int sent = wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return sent < 0;
}
