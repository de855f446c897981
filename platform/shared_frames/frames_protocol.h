// The hand-over between a norvex process drawing offscreen (--frames-to FD)
// and the program that shows its frames (the desktop's wallpaper plugin): one
// SOCK_SEQPACKET socket, one fixed-size Message per packet, and a shared
// memory file holding SLOTS frames, sent over the socket with each Buffer.
// Only the plugin may close the socket to end the run; norvex ends when it does.
#pragma once

#include <cstdint>

namespace plat::frames {

inline constexpr uint32_t SLOTS = 2;             // frames in one buffer: one shown, one drawn
inline constexpr uint32_t MAX_EDGE = 8192;       // pixels, either way
inline constexpr uint32_t BYTES_PER_PIXEL = 4;   // R, G, B, A in memory; rows bottom-up, as GL reads them

enum class Kind : uint32_t {
    // From the showing side.
    Size = 1,   // width x height: the pixels to draw at (also the first message, before any frame)
    Pause,      // draw nothing until Resume: the picture is hidden or the desktop paused it
    Resume,
    Release,    // slot of buffer serial: shown, norvex may draw into it again
    // From norvex.
    Buffer = 16,  // width, height, stride, serial: a new shared memory file (attached), every slot free
    Frame,        // slot of buffer serial holds a new frame
};

struct Message {
    Kind kind;
    uint32_t slot;    // Release, Frame: 0..SLOTS-1
    uint32_t width;   // Size, Buffer: pixels
    uint32_t height;  // pixels
    uint32_t stride;  // Buffer: bytes per row; a slot is stride x height bytes, slot i at i times that
    uint32_t serial;  // Buffer, Frame, Release: which buffer, counted from 1 per process
};

// Where slot `slot` of a buffer of these dimensions starts, in bytes.
inline constexpr uint64_t SlotOffset(const Message& buffer, uint32_t slot)
{
    return static_cast<uint64_t>(buffer.stride) * buffer.height * slot;
}

}  // namespace plat::frames
