// The frame-rate cap. All motion is counted in frames, so the frame rate is
// the flight's speed: a display that refreshes faster, or a swap that waits
// for nothing, must not make the city fly faster. The pacer only says how long
// to wait before the next frame starts; the frames themselves never change.
// Used by every loop that draws: the demo's window, the saver's, the page's.
#pragma once

#include <cstdint>

class FramePacer {
public:
    explicit FramePacer(uint32_t cap) : maxFps(cap) {}

    // Milliseconds to wait at tick `now` before the next frame may start;
    // 0: start it now. A loop waits for its messages meanwhile, not blindly.
    uint32_t Remaining(uint32_t now) const;
    // A frame starts at tick `now`: the next one may start one period after
    // this one's slot. Frames on time keep an exact average (16, 17, 17 ms for
    // 60); a frame a whole period late starts a new schedule instead of
    // letting a burst catch up.
    void Started(uint32_t now);

    uint32_t maxFps;         // frames a second at most; 0: no cap
    bool running = false;    // a frame has started
    uint32_t deadline = 0;   // ms tick: the earliest start of the next frame (32-bit, wrapping)
    uint32_t carried = 0;    // 1/maxFps ms not yet added to the deadline
};
