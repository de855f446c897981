// The cap from the settings and the power source, and the reading's schedule.
#include "shell/core/frame_rate_cap.h"

CapNow CapFor(const DisplaySettings& settings, const plat::power::Reading& reading)
{
    if (!settings.followsPower) return {true, settings.maxFps};
    uint32_t cap = reading.onBattery ? settings.batteryFps : settings.maxFps;
    if (reading.onBattery && cap == 0) return {false, 0};
    if (reading.powerSaver && (cap == 0 || cap > SAVER_PROFILE_MAX_FPS)) cap = SAVER_PROFILE_MAX_FPS;
    return {true, cap};
}

CapNow PowerCap::Now(uint32_t now)
{
    if (settings_.followsPower && (!read_ || static_cast<int32_t>(now - nextRead_) >= 0)) {
        reading_ = watch_.Read();
        read_ = true;
        nextRead_ = now + POWER_READ_MS;
    }
    return CapFor(settings_, reading_);
}

uint32_t PowerCap::NextReadIn(uint32_t now) const
{
    const auto left = static_cast<int32_t>(nextRead_ - now);  // signed: right across the wrap
    return left > 0 ? static_cast<uint32_t>(left) : 1;
}
