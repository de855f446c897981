// The camera's flight: the eye and the look-at point each glide along a leg
// toward a waypoint; at a leg's end one coordinate of the waypoint is redrawn.
// The eye's axis is random, the look-at point's cycles z, y, x.
#include "actors/camera.h"

#include "actors/legs.h"
#include "world/crt.h"

namespace {

// Eye x or y: -10000 to 6383.5 in steps of 0.5 (a draw never reaches 40000).
float EyeGroundCoordinate() { return static_cast<float>(crt::rand() % 40000 - 20000) / 2.0f; }

}  // namespace

Camera::Camera()
    : dest{0.0f, 80.0f, 300.0f},
      start{0.0f, 50.0f, 100.0f},
      eye{10.01f, 10.01f, 200.01f},
      viewdest{},
      viewstart{},
      view{},
      count(20),  // above duration: the first update starts both legs
      duration(2),
      viewcount(20),
      viewduration(2),
      choice(0),
      viewaxis(0)
{
}

void Camera::CalcCamera()
{
    ++count;
    if (count > duration) {
        for (int k = 0; k < 3; ++k) start[k] = dest[k];
        choice = crt::rand() % 3;
        switch (choice) {
        case 0: dest[0] = EyeGroundCoordinate(); break;
        case 1: dest[2] = static_cast<float>(crt::rand() % 20000 + 20); break;  // height 20..20019
        default: dest[1] = EyeGroundCoordinate(); break;
        }
        count = 0;
        duration = crt::rand() % 360 + 260;  // frames
    }
    for (int k = 0; k < 3; ++k) eye[k] = Interpolate(start[k], dest[k], count, duration);

    ++viewcount;
    if (viewcount > viewduration) {
        for (int k = 0; k < 3; ++k) viewstart[k] = viewdest[k];
        if (++viewaxis > 2) viewaxis = 0;
        choice = viewaxis;
        // -120000 to 99990 in steps of 10; nothing keeps it above the ground.
        const auto v = static_cast<float>((crt::rand() % 22000 - 12000) * 10);
        switch (viewaxis) {
        case 0: viewdest[0] = v; break;
        case 1: viewdest[2] = v; break;
        default: viewdest[1] = v; break;
        }
        viewcount = 0;
        viewduration = crt::rand() % 160 + 60;  // frames
    }
    for (int k = 0; k < 3; ++k) view[k] = Interpolate(viewstart[k], viewdest[k], viewcount, viewduration);
}
