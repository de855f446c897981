// The per-degree cosine and sine tables that the glow's ring plot reads.
// Pi is taken as 3.14159265, so cosd[90], sind[180] and cosd[270] come out as
// tiny non-zero values rather than zero; the plot depends on that.
#include <cmath>

#include "scene/glow.h"

float cosd[maxd];
float sind[maxd];

namespace {

constexpr double kShortPi = 3.14159265;

}  // namespace

void FillDegreeTables()
{
    for (int d = 0; d < maxd; ++d) {
        const double radians = static_cast<double>(d * 360 / maxd) * kShortPi / 180.0;
        cosd[d] = static_cast<float>(std::cos(radians));
        sind[d] = static_cast<float>(std::sin(radians));
    }
}
