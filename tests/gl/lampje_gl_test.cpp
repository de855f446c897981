// The lamp against a real light: CalcLampje(i) leaves light i with the
// position, spot direction, cutoff and specular colour it computed, and an
// index outside 0..3 reaches no light.
#include <array>

#include "actors/lampje.h"
#include "gl_fixture.h"
#include "world/crt.h"
#include "world/world.h"

namespace {

std::array<GLfloat, 4> LightVector(GLenum light, GLenum pname)
{
    std::array<GLfloat, 4> v = {-7.0f, -7.0f, -7.0f, -7.0f};
    glGetLightfv(light, pname, v.data());
    return v;
}

}  // namespace

TEST_F(GLTest, LampLeavesItsLightWithWhatItComputed)
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();  // positions and directions are read back as sent
    struct Case { int index; unsigned seed; int updates; };  // updates before the one under test
    const Case cases[] = {{0, 1, 0}, {1, 2, 250}, {2, 3, 2300}, {3, 4, 4100}};
    for (const Case& c : cases) {
        crt::srand(c.seed);
        Lampje lamp;
        for (int i = 0; i < c.updates; ++i) lamp.CalcLampje(-1);
        lamp.CalcLampje(c.index);
        const GLenum light = GL_LIGHT0 + c.index;
        SCOPED_TRACE(c.index);
        EXPECT_EQ(LightVector(light, GL_POSITION), (std::array<GLfloat, 4>{lamp.pos[0], lamp.pos[1], lamp.pos[2], 1.0f}));
        const std::array<GLfloat, 4> spot = LightVector(light, GL_SPOT_DIRECTION);
        EXPECT_EQ(spot[0], lamp.spot[0]);
        EXPECT_EQ(spot[1], lamp.spot[1]);
        EXPECT_EQ(spot[2], lamp.spot[2]);
        GLfloat cutoff = -1.0f;
        glGetLightfv(light, GL_SPOT_CUTOFF, &cutoff);
        EXPECT_EQ(cutoff, lamp.cutoff);
        EXPECT_EQ(LightVector(light, GL_SPECULAR),
                  (std::array<GLfloat, 4>{lamp.color[0], lamp.color[1], lamp.color[2], 1.0f}));
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    // Outside 0..3 the lamp advances and fills lposition, but no light changes.
    const GLfloat marker[4] = {0.25f, 0.5f, 0.75f, 1.0f};
    for (int i = 0; i < 4; ++i) glLightfv(GL_LIGHT0 + i, GL_SPECULAR, marker);
    crt::srand(9);
    Lampje lamp;
    for (int index : {4, -1, 5, 1000}) {
        const int count = lamp.count;
        lamp.CalcLampje(index);
        EXPECT_EQ(lamp.count, count + 1);
        EXPECT_EQ(lposition[0], lamp.color[0]);
        EXPECT_EQ(lposition[3], 1.0f);
    }
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(LightVector(GL_LIGHT0 + i, GL_SPECULAR), (std::array<GLfloat, 4>{0.25f, 0.5f, 0.75f, 1.0f})) << i;
    }
}
