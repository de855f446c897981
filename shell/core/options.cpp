// norvex's options over the shared command-line walk, and window IDs as
// saver daemons write them.
#include "shell/core/options.h"

#include <array>
#include <cstring>
#include <string>

namespace {

enum : size_t {
    ROOT, WINDOW_ID, FPS, WALLPAPER, OVERLAY, SEED, MAX_FPS, WINDOWED, SIZE, NO_MODE_SWITCH, SAMPLES, SCALE,
    FRAMES_TO, RENDERER, BATTERY_FPS
};  // rows of kOptions
constexpr std::array<cli::Option, 15> kOptions = {{
    {"root",           false},
    {"window-id",      true},
    {"fps",            false},
    {"wallpaper",      false},
    {"overlay",        false},
    {"seed",           true},
    {"max-fps",        true},
    {"windowed",       false},
    {"size",           true},
    {"no-mode-switch", false},
    {"samples",        true},
    {"scale",          true},
    {"frames-to",      true},
    {"renderer",       true},
    {"battery-fps",    true},
}};

// The end of a refusal, naming the value given.
std::string Not(const std::string& value) { return ", not '" + value + "'"; }

// The options that shape the demo's own window, which screen-saver mode lacks.
std::string OwnWindowOption(size_t index)
{
    return index == WINDOWED ? "--windowed" : index == SIZE ? "--size" : "--no-mode-switch";
}

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

bool RootTarget(const char* variable, uint32_t* id)
{
    *id = 0;
    if (variable == nullptr || variable[0] == '\0') return true;
    return ParseWindowId(variable, id);
}

cli::Parsed ParseNorvexOptions(int argc, char* const* argv, NorvexOptions* options)
{
    size_t ownWindow = kOptions.size();  // the first option for the demo's own window, if any
    DisplaySettings& display = options->display;
    cli::Parsed parsed = cli::Parse(argc, argv, kOptions, [&](size_t index, const char* text) -> std::string {
        const std::string value = text ? text : "";
        unsigned long long n = 0;
        double fraction = 0.0;
        switch (index) {
        case ROOT: options->root = true; break;
        case WINDOW_ID:
            if (!ParseWindowId(text, &options->windowId))
                return "--window-id needs an X window ID, hex (0x1a00007) or decimal (27262983), not '" +
                       value + "'";
            break;
        case FPS: options->fps = true; break;
        case WALLPAPER: options->wallpaper = true; break;
        case OVERLAY: options->overlay = true; break;
        case SEED:
            if (!cli::WholeNumber(value, 0xFFFFFFFFull, &n))
                return "--seed needs a whole number 0..4294967295" + Not(value);
            options->seedGiven = true;
            options->seed = static_cast<uint32_t>(n);
            break;
        case MAX_FPS:
            if (!cli::WholeNumber(value, MAX_FPS_LIMIT, &n))
                return "--max-fps needs frames a second, a whole number 0..1000 (0: no cap)" + Not(value);
            display.maxFps = static_cast<uint32_t>(n);
            display.maxFpsGiven = true;
            break;
        case BATTERY_FPS:
            if (!cli::WholeNumber(value, MAX_FPS_LIMIT, &n))
                return "--battery-fps needs frames a second on battery, a whole number 0..1000 (0: none drawn)" +
                       Not(value);
            display.batteryFps = static_cast<uint32_t>(n);
            break;
        case WINDOWED: display.windowed = true; break;
        case SIZE:
            if (!cli::Size(value, MAX_WINDOW_EDGE, &display.width, &display.height))
                return "--size needs WxH with W and H from 1 to 8192" + Not(value);
            break;
        case NO_MODE_SWITCH: display.keepDesktopMode = true; break;
        case SAMPLES:
            if (!cli::WholeNumber(value, 8, &n) || (n != 2 && n != 4 && n != 8))
                return "--samples needs 2, 4 or 8 samples per pixel" + Not(value);
            display.samples = static_cast<int32_t>(n);
            break;
        case SCALE:
            if (!cli::Fraction(value, MIN_SCALE, 1.0, &fraction))
                return "--scale needs a share of the window's size from 0.25 to 1" + Not(value);
            display.scale = static_cast<float>(fraction);
            display.scaleGiven = true;
            break;
        case RENDERER:
            if (!cli::RendererName(value, &display.renderer)) return cli::RENDERER_NEEDED + Not(value);
            options->rendererGiven = true;
            break;
        case FRAMES_TO:
            if (!cli::WholeNumber(value, MAX_DESCRIPTOR, &n))
                return "--frames-to needs the number of an open socket" + Not(value);
            options->framesTo = static_cast<int>(n);
            break;
        }
        if ((index == WINDOWED || index == SIZE || index == NO_MODE_SWITCH) && ownWindow == kOptions.size())
            ownWindow = index;
        return {};
    });
    if (parsed.outcome != cli::Outcome::Run) return parsed;
    // A Wayland role picks where the scene is drawn by itself: neither goes
    // with the other or with an X window (--root and --window-id go together).
    // The wallpaper plugin's renderer (--frames-to) likewise.
    const bool frames = options->framesTo >= 0;
    const char* role = frames ? "--frames-to" : options->overlay ? "--overlay" : options->wallpaper ? "--wallpaper" : nullptr;
    const struct { bool given; const char* name; } others[] = {
        {options->root, "--root"}, {options->windowId != 0, "--window-id"},
        {options->wallpaper && (options->overlay || frames), "--wallpaper"}, {options->overlay && frames, "--overlay"}};
    for (const auto& other : others)
        if (role && other.given)
            return {cli::Outcome::Refused, "give only one of " + std::string(other.name) + " and " + role};
    // --root and --window-id draw into a window a saver daemon made, and the
    // Wayland roles into layers a compositor placed: neither has a window of
    // the demo's own to size or take full screen.
    const bool hosted = options->root || options->windowId != 0 || role;
    if (hosted && ownWindow != kOptions.size())
        return {cli::Outcome::Refused, OwnWindowOption(ownWindow) + " is for the demo's own window, not for " +
                                           (frames ? "--frames-to" : role ? "--wallpaper or --overlay" : "--root or --window-id")};
    // A saver's or a desktop's picture costs the least batched; the demo's
    // own window keeps the fixed function it was written for.
    if (!options->rendererGiven) display.renderer = hosted ? plat::Renderer::Batched : plat::Renderer::Fixed;
    display.followsPower = !display.maxFpsGiven;
    return parsed;
}
