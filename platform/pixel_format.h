// The pixel-format descriptor: what the shell asks of a window's colour, alpha
// and depth buffers. The window layer turns it into GL attributes before the
// window is created, because on X11 the window's visual is fixed then.
#pragma once

#include <cstdint>

namespace plat {

inline constexpr uint32_t PFD_DOUBLEBUFFER   = 0x01;
inline constexpr uint32_t PFD_DRAW_TO_WINDOW = 0x04;
inline constexpr uint32_t PFD_SUPPORT_OPENGL = 0x20;
inline constexpr uint8_t PFD_TYPE_RGBA       = 0;
inline constexpr uint8_t PFD_MAIN_PLANE      = 0;

struct PixelFormatDescriptor {
    uint16_t size;          // bytes, 40
    uint16_t version;       // 1
    uint32_t flags;         // PFD_*
    uint8_t pixelType;      // PFD_TYPE_RGBA
    uint8_t colorBits;      // bits per pixel, alpha excluded
    uint8_t redBits, redShift, greenBits, greenShift, blueBits, blueShift;
    uint8_t alphaBits, alphaShift;
    uint8_t accumBits, accumRedBits, accumGreenBits, accumBlueBits, accumAlphaBits;
    uint8_t depthBits, stencilBits, auxBuffers;
    uint8_t layerType;      // PFD_MAIN_PLANE
    uint8_t reserved;
    uint32_t layerMask, visibleMask, damageMask;
};
static_assert(sizeof(PixelFormatDescriptor) == 40);

// The one format the layer offers a window (a GL-capable RGBA visual).
inline constexpr int32_t kWindowPixelFormat = 1;

// The format that best serves a descriptor, or 0 when the layer has none:
// only RGBA formats drawn to a window with OpenGL exist here.
constexpr int32_t ClosestPixelFormat(const PixelFormatDescriptor& d)
{
    const uint32_t needed = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    return (d.flags & needed) == needed && d.pixelType == PFD_TYPE_RGBA ? kWindowPixelFormat : 0;
}

}  // namespace plat
