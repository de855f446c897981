// norvex's options over the shared command-line walk, and window IDs as
// saver daemons write them.
#include "shell/options.h"

#include <array>
#include <cstring>
#include <string>

namespace {

enum : size_t { ROOT, WINDOW_ID, FPS, WALLPAPER, OVERLAY };  // rows of kOptions
constexpr std::array<cli::Option, 5> kOptions = {{
    {"root",      false},
    {"window-id", true},
    {"fps",       false},
    {"wallpaper", false},
    {"overlay",   false},
}};

}  // namespace

bool ParseWindowId(const char* text, uint32_t* id)
{
    if (text == nullptr) return false;
    const bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* digits = hex ? text + 2 : text;
    const size_t length = std::strlen(digits);
    if (length == 0 || length > (hex ? 8u : 10u)) return false;
    uint64_t value = 0;
    for (const char* c = digits; *c; ++c) {
        int digit;
        if (*c >= '0' && *c <= '9') digit = *c - '0';
        else if (hex && *c >= 'a' && *c <= 'f') digit = *c - 'a' + 10;
        else if (hex && *c >= 'A' && *c <= 'F') digit = *c - 'A' + 10;
        else return false;
        value = value * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
    }
    if (value == 0 || value > 0xFFFFFFFFu) return false;
    *id = static_cast<uint32_t>(value);
    return true;
}

cli::Parsed ParseNorvexOptions(int argc, char* const* argv, NorvexOptions* options)
{
    const cli::Parsed parsed = cli::Parse(argc, argv, kOptions, [&](size_t index, const char* value) -> std::string {
        switch (index) {
        case ROOT: options->root = true; break;
        case WINDOW_ID:
            if (!ParseWindowId(value, &options->windowId))
                return "--window-id needs an X window ID, hex (0x1a00007) or decimal (27262983), not '" +
                       std::string(value) + "'";
            break;
        case FPS: options->fps = true; break;
        case WALLPAPER: options->wallpaper = true; break;
        case OVERLAY: options->overlay = true; break;
        }
        return {};
    });
    if (parsed.outcome != cli::Outcome::Run) return parsed;
    // A Wayland role picks where the scene is drawn by itself: neither goes
    // with the other or with an X window (--root and --window-id go together).
    const char* role = options->overlay ? "--overlay" : options->wallpaper ? "--wallpaper" : nullptr;
    const struct { bool given; const char* name; } others[] = {
        {options->root, "--root"}, {options->windowId != 0, "--window-id"},
        {options->wallpaper && options->overlay, "--wallpaper"}};
    for (const auto& other : others)
        if (role && other.given)
            return {cli::Outcome::Refused, "give only one of " + std::string(other.name) + " and " + role};
    return parsed;
}
