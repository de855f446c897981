// The frame-rate cap a loop keeps to: --max-fps where it is given; otherwise
// 60 frames a second on mains, --battery-fps (30 unless told) on battery, and
// no more than 30 in the power-saver profile. The power source is read again
// every few seconds, so that unplugging takes effect while the loop runs.
#pragma once

#include <cstdint>

#include "platform/power/power_source.h"
#include "shell/core/display_settings.h"

inline constexpr uint32_t POWER_READ_MS = 3000;  // ms between readings of the power source

struct CapNow {
    bool drawing;     // false: no frames at all (on battery with --battery-fps 0)
    uint32_t maxFps;  // frames a second at most while drawing; 0: no cap
};

// The cap these settings give under this reading of the power source.
CapNow CapFor(const DisplaySettings& settings, const plat::power::Reading& reading);

class PowerCap {
public:
    explicit PowerCap(const DisplaySettings& settings) : settings_(settings) {}

    // The cap at tick `now` (ms), the power source read when due. Settings
    // that do not follow it never read it.
    CapNow Now(uint32_t now);
    // Milliseconds from tick `now` until the next reading is due, at least 1.
    uint32_t NextReadIn(uint32_t now) const;

private:
    const DisplaySettings& settings_;
    plat::power::Watch watch_;
    plat::power::Reading reading_;
    bool read_ = false;      // read at least once
    uint32_t nextRead_ = 0;  // ms tick of the next reading (32-bit, wrapping)
};
