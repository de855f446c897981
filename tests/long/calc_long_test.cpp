// A long run of every actor's per-frame advance, without GL: 100000 frames of
// the camera, the four lamps, the clouds and the movers, in the frame's order,
// with every invariant of their state checked after every frame and nothing
// allocated on the way.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>

#include "gl/allocation_counter.h"
#include "world/crt.h"
#include "scene/pools.h"
#include "world/world.h"

namespace {

constexpr long kFrames = 100000;
constexpr unsigned kSeed = 20051208;  // fixed, so that a failure can be replayed

bool In(float v, float low, float high) { return v >= low && v <= high; }
bool In(int v, int low, int high) { return v >= low && v <= high; }

// How often a check failed, and where first.
struct Tally {
    long failures = 0;
    long firstFrame = -1;
    int firstIndex = -1;
};

// One named invariant of an actor, given its state now, after the previous
// frame, and as built.
template <typename T>
struct Check {
    const char* what;
    bool (*holds)(const T& now, const T& before, const T& built);
};

// Heading -> the draw offset to the right of travel, in lanes.
constexpr int kRightX[4] = {0, 0, 1, -1};
constexpr int kRightY[4] = {-1, 1, 0, 0};
constexpr int kReverse[4] = {1, 0, 3, 2};

const Check<Camera> kCameraChecks[] = {
    {"eye x and y within -10000..6383.5",
     [](const Camera& c, const Camera&, const Camera&) {
         return In(c.eye[0], -10000.0f, 6383.5f) && In(c.eye[1], -10000.0f, 6383.5f);
     }},
    {"eye height within 20..20019", [](const Camera& c, const Camera&, const Camera&) { return In(c.eye[2], 20.0f, 20019.0f); }},
    {"eye waypoint within the eye's ranges",
     [](const Camera& c, const Camera&, const Camera&) {
         return In(c.dest[0], -10000.0f, 6383.5f) && In(c.dest[1], -10000.0f, 6383.5f) &&
                In(c.dest[2], 20.0f, 20019.0f);
     }},
    {"look-at point within -120000..99990",
     [](const Camera& c, const Camera&, const Camera&) {
         return In(c.view[0], -120000.0f, 99990.0f) && In(c.view[1], -120000.0f, 99990.0f) &&
                In(c.view[2], -120000.0f, 99990.0f);
     }},
    {"eye leg: 0 <= count <= duration, duration 260..619",
     [](const Camera& c, const Camera&, const Camera&) { return In(c.count, 0, c.duration) && In(c.duration, 260, 619); }},
    {"look-at leg: 0 <= count <= duration, duration 60..219",
     [](const Camera& c, const Camera&, const Camera&) {
         return In(c.viewcount, 0, c.viewduration) && In(c.viewduration, 60, 219);
     }},
    {"look-at axis 0..2", [](const Camera& c, const Camera&, const Camera&) { return In(c.viewaxis, 0, 2); }},
};

const Check<Lampje> kLampChecks[] = {
    {"cutoff within 1..49", [](const Lampje& l, const Lampje&, const Lampje&) { return In(l.cutoff, 1.0f, 49.0f); }},
    {"mode 0..2", [](const Lampje& l, const Lampje&, const Lampje&) { return In(l.mode, 0, 2); }},
    {"colour channels within 0..1",
     [](const Lampje& l, const Lampje&, const Lampje&) {
         return In(l.color[0], 0.0f, 1.0f) && In(l.color[1], 0.0f, 1.0f) && In(l.color[2], 0.0f, 1.0f);
     }},
    {"colour-cycle timer within 2000..4409", [](const Lampje& l, const Lampje&, const Lampje&) { return In(l.timer, 2000, 4409); }},
    {"leg: 0 <= count <= duration, duration 200 or 1000..2499",
     [](const Lampje& l, const Lampje&, const Lampje&) {
         return In(l.count, 0, l.duration) && (l.duration == 200 || In(l.duration, 1000, 2499));
     }},
    {"position and spot direction within -500..499",
     [](const Lampje& l, const Lampje&, const Lampje&) {
         for (int k = 0; k < 3; ++k)
             if (!In(l.pos[k], -500.0f, 499.0f) || !In(l.spot[k], -500.0f, 499.0f)) return false;
         return true;
     }},
};

const Check<Cloud> kCloudChecks[] = {
    {"x within -120000..120000", [](const Cloud& c, const Cloud&, const Cloud&) { return In(c.x, -120000.0f, 120000.0f); }},
    {"only x changes",
     [](const Cloud& c, const Cloud&, const Cloud& b) {
         return c.y == b.y && c.z == b.z && c.sx == b.sx && c.sy == b.sy && c.speed == b.speed;
     }},
    {"x moved by speed, or wrapped to -120000",
     [](const Cloud& c, const Cloud& p, const Cloud&) { return c.x == p.x + p.speed || c.x == -120000.0f; }},
};

const Check<Moverz> kMoverChecks[] = {
    {"heading 0..3", [](const Moverz& m, const Moverz&, const Moverz&) { return In(m.dir, 0, 3); }},
    {"turn draw 0..2", [](const Moverz& m, const Moverz&, const Moverz&) { return In(m.turn, 0, 2); }},
    {"never reverses",
     [](const Moverz& m, const Moverz& p, const Moverz&) { return m.dir == p.dir || m.dir != kReverse[p.dir]; }},
    {"x and y within the world, -60000..60000",
     [](const Moverz& m, const Moverz&, const Moverz&) {
         return In(m.x, -worldsize, worldsize) && In(m.y, -worldsize, worldsize);
     }},
    {"distance into the block within 0..blocksize",
     [](const Moverz& m, const Moverz&, const Moverz&) { return In(m.dist, 0.0f, blocksize); }},
    {"moves along its heading's axis only",
     [](const Moverz& m, const Moverz& p, const Moverz&) { return p.dir < 2 ? m.y == p.y : m.x == p.x; }},
    {"size, colour, speed, lane and height as built",
     [](const Moverz& m, const Moverz&, const Moverz& b) {
         return m.z == 100.0f && m.sx == b.sx && m.sy == m.sx && m.sz == b.sz && m.r == b.r && m.g == b.g &&
                m.b == b.b && m.speed == b.speed && m.lane == b.lane;
     }},
    {"on the lane right of travel (centre line only before the first turn point)",
     [](const Moverz& m, const Moverz& p, const Moverz&) {
         const bool centre = m.ox == 0.0f && m.oy == 0.0f;
         const bool wasCentre = p.ox == 0.0f && p.oy == 0.0f;
         const bool right = m.ox == kRightX[m.dir] * m.lane && m.oy == kRightY[m.dir] * m.lane;
         return right || (centre && wasCentre);
     }},
};

// Runs every check of the table on the first `count` objects of a pool.
template <typename T, size_t C>
void CheckPool(const T* pool, const T* before, const T* built, size_t count, const Check<T> (&checks)[C],
               Tally (&tallies)[C], long frame)
{
    for (size_t i = 0; i < count; ++i)
        for (size_t c = 0; c < C; ++c) {
            if (checks[c].holds(pool[i], before[i], built[i])) continue;
            Tally& t = tallies[c];
            if (t.failures++ == 0) {
                t.firstFrame = frame;
                t.firstIndex = static_cast<int>(i);
            }
        }
}

template <typename T, size_t C>
void Report(const char* actor, const Check<T> (&checks)[C], const Tally (&tallies)[C])
{
    for (size_t c = 0; c < C; ++c)
        EXPECT_EQ(tallies[c].failures, 0) << actor << ": " << checks[c].what << " broken first at frame "
                                          << tallies[c].firstFrame << " by object " << tallies[c].firstIndex;
}

// Copies of the pools (only Zenith[0] flies), outside the stack: built, and as after the previous frame.
Camera g_cameraBuilt[ZENITH_COUNT], g_cameraBefore[ZENITH_COUNT];
Lampje g_lampBuilt[LICHT_COUNT], g_lampBefore[LICHT_COUNT];
Cloud g_cloudBuilt[CLOUDZ_COUNT], g_cloudBefore[CLOUDZ_COUNT];
Moverz g_moverBuilt[MOVER_COUNT], g_moverBefore[MOVER_COUNT];

}  // namespace

TEST(LongRun, EveryActorKeepsItsInvariantsOverAHundredThousandFramesAndAllocatesNothing)
{
    std::copy(std::begin(Zenith), std::end(Zenith), g_cameraBuilt);
    std::copy(std::begin(licht), std::end(licht), g_lampBuilt);
    std::copy(std::begin(cloudz), std::end(cloudz), g_cloudBuilt);
    std::copy(std::begin(mover), std::end(mover), g_moverBuilt);
    crt::srand(kSeed);

    Tally cameraTallies[std::size(kCameraChecks)] = {};
    Tally lampTallies[std::size(kLampChecks)] = {};
    Tally cloudTallies[std::size(kCloudChecks)] = {};
    Tally moverTallies[std::size(kMoverChecks)] = {};
    long turnPoints = 0, cloudWraps = 0;

    const long allocationsBefore = AllocationCount();
    for (long frame = 1; frame <= kFrames; ++frame) {
        std::copy(std::begin(Zenith), std::end(Zenith), g_cameraBefore);
        std::copy(std::begin(licht), std::end(licht), g_lampBefore);
        std::copy(std::begin(cloudz), std::end(cloudz), g_cloudBefore);
        std::copy(std::begin(mover), std::end(mover), g_moverBefore);

        // The frame's order: camera, lamps 0..3, clouds, movers.
        Zenith[0].CalcCamera();
        for (Lampje& lamp : licht) lamp.CalcLampje(-1);
        for (Cloud& cloud : cloudz) cloud.CalcCloud();
        for (Moverz& car : mover) car.CalcMoverz();

        CheckPool(Zenith, g_cameraBefore, g_cameraBuilt, 1, kCameraChecks, cameraTallies, frame);
        CheckPool(licht, g_lampBefore, g_lampBuilt, LICHT_COUNT, kLampChecks, lampTallies, frame);
        CheckPool(cloudz, g_cloudBefore, g_cloudBuilt, CLOUDZ_COUNT, kCloudChecks, cloudTallies, frame);
        CheckPool(mover, g_moverBefore, g_moverBuilt, MOVER_COUNT, kMoverChecks, moverTallies, frame);
        for (int i = 0; i < MOVER_COUNT; ++i) turnPoints += mover[i].dist == 0.0f;
        for (int i = 0; i < CLOUDZ_COUNT; ++i) cloudWraps += cloudz[i].x < g_cloudBefore[i].x;
    }
    const long allocated = AllocationCount() - allocationsBefore;

    // Only the first camera flies; the other two keep what they were built with.
    EXPECT_EQ(std::memcmp(static_cast<const void*>(&Zenith[1]), static_cast<const void*>(&g_cameraBuilt[1]),
                          2 * sizeof(Camera)), 0);
    Report("camera", kCameraChecks, cameraTallies);
    Report("lamp", kLampChecks, lampTallies);
    Report("cloud", kCloudChecks, cloudTallies);
    Report("mover", kMoverChecks, moverTallies);
    EXPECT_EQ(allocated, 0) << "operator new called during the frames";
    // The run reached the states the checks are about.
    EXPECT_GT(turnPoints, 100000) << "movers reached few turn points";
    EXPECT_GT(cloudWraps, CLOUDZ_COUNT) << "clouds never wrapped";
    RecordProperty("frames", static_cast<int>(kFrames));
}
