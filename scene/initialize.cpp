// Scene set-up for each new rendering context: projection, lights, fixed render
// state, degree tables, glow texture and the boxes' corners. Runs at start-up
// and again after every switch between full screen and window.
#include <GL/gl.h>
#include <GL/glu.h>

#include "actors/lampje.h"
#include "world/crt.h"
#include "scene/glow.h"
#include "scene/pools.h"
#include "scene/render_state.h"
#include "scene/scene.h"
#include "world/world.h"

namespace {

constexpr GLenum kLights[LICHT_COUNT] = {GL_LIGHT0, GL_LIGHT1, GL_LIGHT2, GL_LIGHT3};
constexpr GLfloat kBlack[4] = {0.0f, 0.0f, 0.0f, 1.0f};

}  // namespace

int Initialize(int width, int height)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(SCENE_FOV_Y, static_cast<double>(width) / static_cast<double>(height),
                   SCENE_NEAR, SCENE_FAR);
    glMatrixMode(GL_MODELVIEW);  // stays selected: the frame relies on it
    glLoadIdentity();

    glEnable(GL_DEPTH_TEST);
    for (GLenum light : kLights) {
        glLightfv(light, GL_AMBIENT, kBlack);
        glLightfv(light, GL_DIFFUSE, kBlack);
        glLightfv(light, GL_SPECULAR, kBlack);
    }
    glEnable(GL_LIGHTING);
    for (GLenum light : kLights) glEnable(light);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(-1.0f, -2.0f);

    // First light colours, drawn from the start-up seed; the lamps take over
    // from the first frame on.
    for (GLenum light : kLights) {
        lposition[0] = RandomChannel();
        lposition[1] = RandomChannel();
        lposition[2] = RandomChannel();
        lposition[3] = 1.0f;
        glLightfv(light, GL_SPECULAR, lposition);
    }
    crt::srand(crt::time());

    FillDegreeTables();  // the glow plot reads them
    settexmap01();
    glBindTexture(GL_TEXTURE_2D, GLOW_TEXTURE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, texo, texo, GL_RGBA, GL_UNSIGNED_BYTE, mtex);

    for (Carz& box : kar) box.SetupCarz();
    return 1;
}
