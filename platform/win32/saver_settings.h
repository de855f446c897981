// The screen saver's settings on Windows, kept under
// HKEY_CURRENT_USER\Software\norvex: the frame-rate cap, the render scale,
// edge smoothing and the frame-rate overlay; and the small dialog that
// changes them (norvex.scr /c). Both /s and /p draw with them.
#pragma once

#include <cstdint>

namespace plat {

inline constexpr const char* SAVER_SETTINGS_KEY = "Software\\norvex";  // under HKEY_CURRENT_USER
inline constexpr uint32_t SAVER_MAX_FPS_LIMIT = 1000;                // frames a second
inline constexpr uint32_t SAVER_SCALES[] = {100, 75, 50, 25};        // percent of the screen's size
inline constexpr uint32_t SAVER_SAMPLES[] = {0, 2, 4, 8};            // per pixel; 0: no edge smoothing

struct SaverSettings {
    uint32_t maxFps;        // frames a second at most, 0..SAVER_MAX_FPS_LIMIT; 0: no cap
    uint32_t scalePercent;  // one of SAVER_SCALES
    uint32_t samples;       // one of SAVER_SAMPLES
    bool showFps;           // the frame rate in the lower-left corner
};

// What the registry holds; a value missing, of another type or out of range
// keeps its default.
SaverSettings LoadSaverSettings(const SaverSettings& defaults);
// False when the key cannot be written.
bool SaveSaverSettings(const SaverSettings& settings);
// The settings dialog, over window `owner` (0, or no such window: none),
// showing what LoadSaverSettings gives; OK stores what it shows. False when
// the dialog could not open.
bool EditSaverSettings(uintptr_t owner, const SaverSettings& defaults);

}  // namespace plat
