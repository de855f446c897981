// The frame-rate cap's schedule in wrapping 32-bit millisecond ticks.
#include "shell/core/frame_pacer.h"

uint32_t FramePacer::Remaining(uint32_t now) const
{
    if (maxFps == 0 || !running) return 0;
    const auto left = static_cast<int32_t>(deadline - now);  // signed: right across the wrap
    return left > 0 ? static_cast<uint32_t>(left) : 0;
}

void FramePacer::Started(uint32_t now)
{
    if (maxFps == 0) return;
    const uint32_t period = (1000 + maxFps - 1) / maxFps;  // ms, rounded up
    if (!running || static_cast<int32_t>(now - deadline) >= static_cast<int32_t>(period)) {
        deadline = now;  // the first frame, or one a whole period late: a fresh schedule
        carried = 0;
        running = true;
    }
    // One period is 1000 / maxFps ms: whole ms now, the rest carried on.
    carried += 1000;
    deadline += carried / maxFps;
    carried %= maxFps;
}
