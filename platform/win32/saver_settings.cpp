// The saver's settings in the registry: one REG_DWORD value each under
// HKEY_CURRENT_USER\Software\norvex, read one by one so that a bad value
// spoils only itself.
#include "platform/win32/saver_settings.h"

#include "platform/win32/win32_internal.h"

namespace plat {
namespace {

constexpr const char* kMaxFps = "MaxFps";
constexpr const char* kScale = "ScalePercent";
constexpr const char* kSamples = "Samples";
constexpr const char* kShowFps = "ShowFps";

bool Read(const char* name, uint32_t* value)
{
    DWORD stored = 0, size = sizeof stored;
    if (RegGetValueA(HKEY_CURRENT_USER, SAVER_SETTINGS_KEY, name, RRF_RT_REG_DWORD, nullptr, &stored, &size) !=
        ERROR_SUCCESS)
        return false;
    *value = stored;
    return true;
}

template <size_t N>
bool OneOf(const uint32_t (&choices)[N], uint32_t value)
{
    for (uint32_t choice : choices)
        if (choice == value) return true;
    return false;
}

}  // namespace

SaverSettings LoadSaverSettings(const SaverSettings& defaults)
{
    SaverSettings settings = defaults;
    uint32_t value = 0;
    if (Read(kMaxFps, &value) && value <= SAVER_MAX_FPS_LIMIT) settings.maxFps = value;
    if (Read(kScale, &value) && OneOf(SAVER_SCALES, value)) settings.scalePercent = value;
    if (Read(kSamples, &value) && OneOf(SAVER_SAMPLES, value)) settings.samples = value;
    if (Read(kShowFps, &value) && value <= 1) settings.showFps = value == 1;
    return settings;
}

bool SaveSaverSettings(const SaverSettings& settings)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SAVER_SETTINGS_KEY, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const struct { const char* name; DWORD value; } values[] = {
        {kMaxFps, settings.maxFps}, {kScale, settings.scalePercent},
        {kSamples, settings.samples}, {kShowFps, settings.showFps ? 1u : 0u}};
    bool stored = true;
    for (const auto& v : values)
        stored = stored && RegSetValueExA(key, v.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v.value),
                                          sizeof v.value) == ERROR_SUCCESS;
    RegCloseKey(key);
    return stored;
}

}  // namespace plat
