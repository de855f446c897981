// The frame rate in the lower-left corner (--fps), as screen-saver hacks show
// it: frames counted over half-second spans, drawn after the scene with every
// piece of GL state it touches put back.
#pragma once

#include <cstdint>

#include "shell/core/frame_pieces.h"

inline constexpr uint32_t FRAME_RATE_SPAN_MS = 500;  // ms between updates of the figure
inline constexpr int FRAME_RATE_MARGIN = 8;           // pixels from the window's lower-left corner

struct FrameRate {
    bool started = false;
    uint32_t spanStart = 0;    // ms, tick count at the start of the current span
    uint32_t frames = 0;       // frames finished in the current span
    char text[24] = "FPS: --"; // what is drawn; "--" until the first span ends

    // A frame finished at this tick count; the text changes once a span is over.
    void Count(uint32_t tick);
};

// Draws text in the lower-left corner of the current viewport, in white on a
// black shadow, leaving every GL state it touches as it found it.
void DrawFrameRateText(const char* text);
// --fps as a piece of the frame: each frame is counted at its tick and the
// rate drawn over the picture.
class FrameRateOverlay : public FramePiece {
public:
    void End(uint32_t tick) override
    {
        rate.Count(tick);
        DrawFrameRateText(rate.text);
    }

    FrameRate rate;
};
