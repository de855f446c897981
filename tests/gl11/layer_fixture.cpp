// The two paths for the layer's tests, and the offscreen context they draw in.
#include "gl11/layer_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/gl11_route/route.h"
#include "platform/offscreen/offscreen.h"

namespace {

void NativeTranslate(GLfloat x, GLfloat y, GLfloat z) { glTranslatef(x, y, z); }

}  // namespace

const Api kNative = {glEnable, glDisable, glMatrixMode, glLoadIdentity, glLoadMatrixf, glMultMatrixf,
                     glPushMatrix, glPopMatrix, NativeTranslate, glScalef, gluPerspective, gluLookAt, glLightf,
                     glLightfv, glMaterialfv, glBlendFunc, glPolygonOffset, glClear, glEnableClientState,
                     glDisableClientState, glVertexPointer, glNormalPointer, glInterleavedArrays, glDrawArrays,
                     glDrawElements, glTexParameteri, gluBuild2DMipmaps, glGetFloatv, glGetError, glFinish};

const Api kLayer = {gl11::Enable, gl11::Disable, gl11::MatrixMode, gl11::LoadIdentity, gl11::LoadMatrixf,
                    gl11::MultMatrixf, gl11::PushMatrix, gl11::PopMatrix, gl11::Translatef, gl11::Scalef,
                    gl11::Perspective, gl11::LookAt, gl11::Lightf, gl11::Lightfv, gl11::Materialfv,
                    gl11::BlendFunc, gl11::PolygonOffset, gl11::Clear, gl11::EnableClientState,
                    gl11::DisableClientState, gl11::VertexPointer, gl11::NormalPointer, gl11::InterleavedArrays,
                    gl11::DrawArrays, gl11::DrawElements, gl11::TexParameteri, gl11::Build2DMipmaps,
                    gl11::GetFloatv, gl11::GetError, gl11::Flush};

std::vector<uint8_t> Render(const Api& api, int width, int height, const Scene& scene, const Scene& after)
{
    std::vector<uint8_t> rgba(static_cast<size_t>(width) * height * 4);
    plat::OffscreenGL gl;
    if (!gl.Open(width, height)) {
        ADD_FAILURE() << gl.error();
        return rgba;
    }
    const bool layer = &api == &kLayer;
    if (layer) {
        gl11route::UseDriverEs();
        if (!gl11::Open()) {
            ADD_FAILURE() << "layer: " << gl11::OpenError();
            return rgba;
        }
    }
    glViewport(0, 0, width, height);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    api.Clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    scene(api);
    api.Finish();
    EXPECT_EQ(api.GetError(), static_cast<GLenum>(GL_NO_ERROR)) << (layer ? "layer" : "native") << ": no GL error after the scene";
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    if (after) after(api);
    if (layer) gl11::Close();
    return rgba;
}

Difference Compare(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, int tolerance)
{
    Difference d{0, 0};
    for (size_t i = 0; i + 3 < a.size() && i + 3 < b.size(); i += 4) {
        int worst = 0;
        for (int c = 0; c < 3; ++c) worst = std::max(worst, std::abs(a[i + c] - b[i + c]));
        d.largest = std::max(d.largest, worst);
        d.pixelsOver += worst > tolerance;
    }
    return d;
}
