// Viewport and projection for a client size, on a real context: a new
// window's viewport, and size notifications that keep the scene's projection
// (85 degrees, near 4, far 100000) with the new aspect.
#include <GL/glu.h>

#include <cmath>
#include <cstring>

#include "gl_fixture.h"
#include "bare_window.h"
#include "shell/core/reshape.h"

namespace {

// The matrix of a symmetric perspective, worked out from its parameters.
void ExpectPerspective(double fovy, double aspect, double zNear, double zFar)
{
    const double f = 1.0 / std::tan(fovy / 2.0 * M_PI / 180.0);
    GLfloat expected[16] = {};
    expected[0] = static_cast<GLfloat>(f / aspect);
    expected[5] = static_cast<GLfloat>(f);
    expected[10] = static_cast<GLfloat>((zFar + zNear) / (zNear - zFar));
    expected[11] = -1.0f;
    expected[14] = static_cast<GLfloat>(2.0 * zFar * zNear / (zNear - zFar));
    GLfloat m[16];
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    for (int i = 0; i < 16; ++i) {
        EXPECT_TRUE(std::isfinite(m[i])) << i;
        EXPECT_FLOAT_EQ(m[i], expected[i]) << "element " << i;
    }
}

void ExpectViewport(int width, int height)
{
    GLint v[4];
    glGetIntegerv(GL_VIEWPORT, v);
    EXPECT_EQ(v[0], 0);
    EXPECT_EQ(v[1], 0);
    EXPECT_EQ(v[2], width);
    EXPECT_EQ(v[3], height);
}

void ExpectModelviewIdentitySelected()
{
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], i % 5 == 0 ? 1.0f : 0.0f) << i;
}

}  // namespace

TEST_F(GLTest, ReshapeSetsTheViewportAndLeavesTheProjection)
{
    const struct { int width, height; } rows[] = {{1024, 768}, {800, 600}, {640, 0}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.height);
        glMatrixMode(GL_PROJECTION);  // whatever is loaded stays: the scene loads its own next
        glLoadIdentity();
        gluPerspective(85.0, 1.5, 4.0, 100000.0);
        glMatrixMode(GL_MODELVIEW);
        glTranslatef(1.0f, 2.0f, 3.0f);  // ReshapeGL leaves the modelview at identity
        ReshapeGL(r.width, r.height);
        ExpectPerspective(85.0, 1.5, 4.0, 100000.0);
        ExpectViewport(r.width, r.height);
        ExpectModelviewIdentitySelected();
    }
}

TEST_F(GLTest, SizeNotificationsKeepTheSceneProjection)
{
    BareWindow bare;
    plat::Window& w = bare.w;
    GL_Window& record = bare.record;
    record.width = 1024;
    record.height = 768;
    WindowProc(&w, plat::WM_CREATE, 0, 0);

    // Creation: the viewport, then the scene's own projection, as the scene set-up loads it.
    ReshapeGL(record.width, record.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(85.0, 1024.0 / 768.0, 4.0, 100000.0);
    glMatrixMode(GL_MODELVIEW);
    record.visible = 1;
    // The creation-time notification, at the aspect in force: the projection stays bit for bit
    // (worked out again from element 5, element 0 would differ in its last bit at 4:3).
    GLfloat set[16], kept[16];
    glGetFloatv(GL_PROJECTION_MATRIX, set);
    WindowProc(&w, plat::WM_SIZE, plat::SIZE_RESTORED, plat::PackSize(1024, 768));
    glGetFloatv(GL_PROJECTION_MATRIX, kept);
    EXPECT_EQ(std::memcmp(set, kept, sizeof set), 0);

    const struct { uint32_t kind; int width, height; int32_t visible; int viewW, viewH; double aspect; } rows[] = {
        // SDL's own creation-time notification, after the scene set-up: nothing may change.
        {plat::SIZE_RESTORED, 1024, 768, 1, 1024, 768, 1024.0 / 768.0},
        {plat::SIZE_MINIMIZED, 0, 0, 0, 1024, 768, 1024.0 / 768.0},  // no viewport or projection change
        {plat::SIZE_RESTORED, 1024, 768, 1, 1024, 768, 1024.0 / 768.0},
        {plat::SIZE_MAXIMIZED, 1280, 1004, 1, 1280, 1004, 1280.0 / 1004.0},
        {plat::SIZE_RESTORED, 800, 600, 1, 800, 600, 800.0 / 600.0},
        {plat::SIZE_RESTORED, 300, 0, 1, 300, 0, 300.0},              // stays finite
        {plat::SIZE_RESTORED, 1024, 768, 1, 1024, 768, 1024.0 / 768.0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.kind << " " << r.width << "x" << r.height);
        EXPECT_EQ(WindowProc(&w, plat::WM_SIZE, r.kind, plat::PackSize(r.width, r.height)), 0);
        EXPECT_EQ(record.visible, r.visible);
        ExpectPerspective(85.0, r.aspect, 4.0, 100000.0);
        ExpectViewport(r.viewW, r.viewH);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    ExpectModelviewIdentitySelected();
}
