// Box-filter halving for the mipmap chain, rounded as GLU rounds it.
#include "platform/gl11/mipmap.h"

namespace gl11 {

int MipLevelCount(int width, int height)
{
    int levels = 1;
    while (width > 1 || height > 1) {
        width = width > 1 ? width / 2 : 1;
        height = height > 1 ? height / 2 : 1;
        ++levels;
    }
    return levels;
}

void HalveImage(const uint8_t* src, int width, int height, uint8_t* dst)
{
    constexpr int kChannels = 4;
    const int newWidth = width > 1 ? width / 2 : 1;
    const int newHeight = height > 1 ? height / 2 : 1;
    const size_t row = static_cast<size_t>(width) * kChannels;
    // One of the sides at 1: the filter runs along the other only.
    const size_t across = width > 1 ? kChannels : 0;
    const size_t down = height > 1 ? row : 0;
    const int taps = (across ? 2 : 1) * (down ? 2 : 1);
    for (int y = 0; y < newHeight; ++y) {
        for (int x = 0; x < newWidth; ++x) {
            const uint8_t* s = src + (height > 1 ? 2 * y : y) * row + (width > 1 ? 2 * x : x) * kChannels;
            for (int c = 0; c < kChannels; ++c) {
                const int sum = taps == 4 ? s[c] + s[c + across] + s[c + down] + s[c + down + across]
                                          : s[c] + s[c + across + down];
                // GLU rounds the mean of four and truncates the mean of two.
                *dst++ = static_cast<uint8_t>(taps == 4 ? (sum + 2) / 4 : sum / 2);
            }
        }
    }
}

}  // namespace gl11
