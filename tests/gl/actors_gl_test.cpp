// The actors' drawing against a real offscreen context: a box lit through its
// per-corner normals, opaque and blended; a mover at its lane offset with its
// scaled normals; floor glows and clouds as textured additive quads. Pixels are
// compared with the lighting equation worked out by hand, within 2 of 255.
#include <GL/gl.h>

#include <cmath>

#include "actors/carz.h"
#include "actors/cloud.h"
#include "actors/floor.h"
#include "actors/moverz.h"
#include "gl_fixture.h"
#include "scene/render_state.h"

namespace {

constexpr double kUnitsPerPixel = 200.0 / 64.0;  // the orthographic view spans -100..100
constexpr double kGlobalAmbient = 0.2;           // OpenGL's default light model
const double kHalfRoot2 = std::sqrt(0.5);        // the light comes from (1, 0, 1), normalised

struct Rgba {
    int r, g, b, a;
};


int Pixel(double channel) { return static_cast<int>(std::lround(std::fmin(channel, 1.0) * 255.0)); }

// Alpha as the context stores it: llvmpipe may give fewer than 8 alpha bits.
int AlphaPixel(double alpha)
{
    GLint bits = 8;
    glGetIntegerv(GL_ALPHA_BITS, &bits);
    const double levels = static_cast<double>((1 << bits) - 1);
    return Pixel(std::round(std::fmin(alpha, 1.0) * levels) / levels);
}
double CentreY(int row) { return (row + 0.5) * kUnitsPerPixel - 100.0; }
int Column(double x) { return static_cast<int>((x + 100.0) / kUnitsPerPixel); }

class ActorsGL : public GLTest {
protected:
    void SetUp() override
    {
        GLTest::SetUp();
        glViewport(0, 0, kWidth, kHeight);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-100.0, 100.0, -100.0, 100.0, -1000.0, 1000.0);  // looking down -z
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        // One white directional light, diffuse only, so hand-worked colours stay short.
        const GLfloat direction[4] = {1.0f, 0.0f, 1.0f, 0.0f};
        const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
        const GLfloat none[4] = {0.0f, 0.0f, 0.0f, 1.0f};
        glLightfv(GL_LIGHT0, GL_POSITION, direction);
        glLightfv(GL_LIGHT0, GL_AMBIENT, none);
        glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
        glLightfv(GL_LIGHT0, GL_SPECULAR, none);
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        glShadeModel(GL_SMOOTH);
    }

    static Rgba Read(int column, int row)
    {
        GLubyte p[4] = {};
        glReadPixels(column, row, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
        return {p[0], p[1], p[2], p[3]};
    }

    static void ExpectPixel(int column, int row, Rgba want, const char* what)
    {
        const Rgba got = Read(column, row);
        EXPECT_NEAR(got.r, want.r, 2) << what << " at " << column << ", " << row;
        EXPECT_NEAR(got.g, want.g, 2) << what << " at " << column << ", " << row;
        EXPECT_NEAR(got.b, want.b, 2) << what << " at " << column << ", " << row;
        EXPECT_NEAR(got.a, want.a, 2) << what << " at " << column << ", " << row;
    }

    static void ExpectIdentityModelview()
    {
        GLfloat m[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], i % 5 == 0 ? 1.0f : 0.0f) << "modelview entry " << i;
        EXPECT_EQ(ModelviewDepth(), 1);
    }
};

// The top face's corners 0 and 1 (y = +25) carry the normals +z and +x, both
// lit at 45 degrees; corners 2 and 3 (y = -25) carry -z and -x, unlit. Either
// split of the quad therefore shades it by y alone.
double BoxTopFace(double y, double diffuse, double halfEdge, double centreY, double normalScale)
{
    const double ambient = kGlobalAmbient * diffuse;
    const double lit = diffuse * kHalfRoot2 * normalScale;
    return ambient + lit * (y - (centreY - halfEdge)) / (2.0 * halfEdge);
}

TEST_F(ActorsGL, BoxIsLitThroughItsCornerNormalsOpaqueOrBlended)
{
    constexpr double kClear = 0.2;
    for (int blend : {0, 1}) {
        glClearColor(static_cast<float>(kClear), static_cast<float>(kClear), static_cast<float>(kClear), 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        ApplyMaterial(BOX_MATERIAL);
        glEnable(GL_DEPTH_TEST);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        glEnable(GL_BLEND);  // DrawCarz decides blending for itself

        Carz box;
        box.x = box.y = box.z = 0.0f;
        box.scale = 1.0f;
        box.length = 1.0f;
        box.type = 0;
        box.blend = blend;
        box.r = box.g = box.b = 254;  // the colour must not reach the lit result
        box.SetupCarz();
        box.DrawCarz();
        EXPECT_FALSE(glIsEnabled(GL_BLEND)) << "blending is left off after every box";
        glEnable(GL_BLEND);

        Carz tower = box;  // a tower placed by its corners alone, off the centre
        tower.x = 60.0f;
        tower.y = -60.0f;
        tower.scale = 0.4f;
        tower.length = 2.0f;
        tower.type = 2;
        tower.blend = 0;  // the blend flag decides, whatever the state before
        tower.SetupCarz();
        tower.DrawCarz();

        SCOPED_TRACE(blend ? "blended box" : "opaque box");
        const double alpha = 0.95;
        for (int row : {26, 32, 38}) {
            const double lit = BoxTopFace(CentreY(row), 0.2, 25.0, 0.0, 1.0);
            const Rgba want = blend ? Rgba{Pixel(lit * alpha + kClear), Pixel(lit * alpha + kClear),
                                           Pixel(lit * alpha + kClear), AlphaPixel(alpha * alpha)}
                                    : Rgba{Pixel(lit), Pixel(lit), Pixel(lit), AlphaPixel(alpha)};
            for (int column : {26, 37}) ExpectPixel(column, row, want, "box top face");
        }
        const int towerRow = Column(-60.0);
        const int towerLit = Pixel(BoxTopFace(CentreY(towerRow), 0.2, 10.0, -60.0, 1.0));
        ExpectPixel(Column(60.0), towerRow, {towerLit, towerLit, towerLit, AlphaPixel(alpha)}, "tower top");
        const int background = Pixel(kClear);
        ExpectPixel(Column(0.0), Column(-60.0), {background, background, background, 0}, "between the boxes");
        ExpectPixel(Column(60.0), Column(0.0), {background, background, background, 0}, "beside the box");

        EXPECT_FALSE(glIsEnabled(GL_BLEND));
        EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
        EXPECT_FALSE(glIsEnabled(GL_NORMAL_ARRAY));
        ExpectIdentityModelview();
    }
}

TEST_F(ActorsGL, MoverDrawsAtItsLaneWithScaledNormals)
{
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ApplyMaterial(MOVER_MATERIAL);
    glEnable(GL_DEPTH_TEST);

    Moverz car;
    car.x = car.y = 0.0f;
    car.ox = -50.0f;
    car.oy = 30.0f;
    car.sx = car.sy = car.sz = 0.4f;  // half-edge 10; normals reach the lighting 2.5 times long
    car.r = car.g = car.b = 254;
    car.DrawMoverz();

    for (int row : {39, 41, 43}) {
        const double lit = BoxTopFace(CentreY(row), 0.102, 10.0, 30.0, 2.5);
        ExpectPixel(Column(-50.0), row, {Pixel(lit), Pixel(lit), Pixel(lit), AlphaPixel(0.3)}, "mover top face");
    }
    ExpectPixel(Column(0.0), Column(0.0), {0, 0, 0, 0}, "its grid position without the lane offset");
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_NORMAL_ARRAY));
    ExpectIdentityModelview();
}

TEST_F(ActorsGL, GlowQuadsAreTexturedAdditiveAndDimmedByTheirScale)
{
    // Two texels across: s < 0.5 white, s >= 0.5 red. s is 1 at the quad's -x edge.
    const GLubyte texels[2 * 2 * 4] = {255, 255, 255, 255, 255, 0, 0, 255,
                                       255, 255, 255, 255, 255, 0, 0, 255};
    glBindTexture(GL_TEXTURE_2D, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
    ApplyMaterial(GLOW_MATERIAL);
    glEnable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);

    Floor glow;  // quad x 10..50, y 25..55, at height 0
    glow.x = 30.0f;
    glow.y = 40.0f;
    glow.z = -500.0f;
    glow.sx = 0.4f;
    glow.sy = 0.3f;
    glow.r = 10;
    glow.g = 20;
    glow.b = 250;
    glow.DrawFloor();
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_NEAR(colour[0], 10.0f / 255.0f, 1e-6);
    EXPECT_NEAR(colour[2], 250.0f / 255.0f, 1e-6);
    EXPECT_EQ(colour[3], 1.0f);
    ExpectIdentityModelview();

    Cloud cloud;  // quad x -55..-25, y -55..-25
    cloud.x = -40.0f;
    cloud.y = -40.0f;
    cloud.z = -600.0f;
    cloud.sx = cloud.sy = 0.3f;
    cloud.DrawCloud();
    glGetFloatv(GL_CURRENT_COLOR, colour);
    for (float c : colour) EXPECT_EQ(c, 1.0f);
    ExpectIdentityModelview();
    cloud.DrawCloud();  // twice: the blend function sums it

    // The z scale of 10 shortens the normal to a tenth; nothing renormalises it.
    const double lit = kGlobalAmbient * 0.9 + 0.9 * kHalfRoot2 * 0.1;
    const double alpha = 0.8;
    const int once = Pixel(lit * alpha);
    const int twice = Pixel(2.0 * lit * alpha);
    const int alphaOnce = AlphaPixel(alpha * alpha);
    const int alphaTwice = AlphaPixel(2.0 * alpha * alpha);
    const int glowRow = Column(40.0);
    const int cloudRow = Column(-40.0);
    ExpectPixel(Column(40.0), glowRow, {once, once, once, alphaOnce}, "glow, white texel");
    ExpectPixel(Column(20.0), glowRow, {once, 0, 0, alphaOnce}, "glow, red texel");
    ExpectPixel(Column(-30.0), cloudRow, {twice, twice, twice, alphaTwice}, "cloud, white texel");
    ExpectPixel(Column(-50.0), cloudRow, {twice, 0, 0, alphaTwice}, "cloud, red texel");
    ExpectPixel(Column(0.0), Column(0.0), {0, 0, 0, 0}, "between the quads");

    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));  // left as the interleaved set-up leaves them
    EXPECT_TRUE(glIsEnabled(GL_NORMAL_ARRAY));
    EXPECT_TRUE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
}

}  // namespace
